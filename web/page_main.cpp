// The entry points the page's script calls. Every event of the page comes in
// here and is handled at once; what it changed goes back to the script
// before the call returns.
#include "web/page_main.h"

#include "game/keys.h"
#include "web/page_game.h"
#include "web/tile_painter.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <string>

using namespace tavrin;

namespace {

std::unique_ptr<web::PagePainter> painter;
std::unique_ptr<web::PageGame> page;
std::string reply;

web::PagePainter& thePainter()
{
    if (!painter) {
        painter = std::make_unique<web::PagePainter>();
    }
    return *painter;
}

} // namespace

namespace tavrin::web {

PageGame& runningPage()
{
    return *page;
}

const char* keepReply(std::string text)
{
    reply = std::move(text);
    return reply.c_str();
}

} // namespace tavrin::web

extern "C" {

// The page hands over the bundled pictures the first frame needs before the
// game starts, decoded to R, G, B, A bytes; the goal background may follow
// later, and the board is drawn again with it. A picture the page could not
// have (no pixels) or that does not fit its kind is drawn plainly instead.
EMSCRIPTEN_KEEPALIVE int tavrin_picture(int kind, const unsigned char* rgba, int width, int height)
{
    const bool adopted = thePainter().adoptPicture(kind, rgba, width, height);
    if (!adopted) {
        thePainter().drawPicture(kind);
    }
    if (page) {
        page->session().input([] { page->controller().showNewBoard(); });
    }
    return adopted ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void tavrin_start(std::uint32_t seedHigh, std::uint32_t seedLow, int english)
{
    const std::uint64_t seed = (std::uint64_t{seedHigh} << 32) | seedLow;
    page = std::make_unique<web::PageGame>(thePainter(), seed, english != 0);
    thePainter().attach(page->session().state());
    page->start();
}

EMSCRIPTEN_KEEPALIVE void tavrin_cell(int cell) { page->session().cellReleased(cell); }
EMSCRIPTEN_KEEPALIVE void tavrin_hover(int cell) { page->session().cellHovered(cell); }
EMSCRIPTEN_KEEPALIVE void tavrin_trash() { page->session().trashReleased(); }

// Palette entry 0..11; `shiftState` 1 Shift, 2 Ctrl, 4 Alt.
EMSCRIPTEN_KEEPALIVE void tavrin_palette(int entry, int shiftState)
{
    page->session().palettePressed(entry, shiftState);
}

// The page's one timer ran out.
EMSCRIPTEN_KEEPALIVE void tavrin_tick()
{
    page->session().tick(page->session().output().now());
}

EMSCRIPTEN_KEEPALIVE void tavrin_command(int command, int fromToolbar)
{
    if (command >= 0 && command < game::kCommandCount) {
        page->session().command(static_cast<game::Command>(command),
                                fromToolbar != 0 ? game::Source::Toolbar : game::Source::Menu);
    }
}

// A key by its KeyboardEvent.key name; 1 when it is a key of the game (the
// page then keeps the browser from acting on it too).
EMSCRIPTEN_KEEPALIVE int tavrin_key(const char* name)
{
    const std::optional<game::Key> key = game::browserKey(name != nullptr ? name : "");
    if (!key) {
        return 0;
    }
    page->session().key(*key);
    return 1;
}

// The answer to box `id`: 0 OK, 1 yes, 2 no, 3 cancelled; `text` what an
// input box held (null when cancelled).
EMSCRIPTEN_KEEPALIVE void tavrin_answer(int id, int answer, const char* text)
{
    game::BoxAnswer given;
    given.answer = answer >= 0 && answer <= 3 ? static_cast<game::Answer>(answer) : game::Answer::Cancel;
    if (text != nullptr) {
        given.text = std::string(text);
    }
    page->session().answer(id, given);
}

EMSCRIPTEN_KEEPALIVE void tavrin_language(int english)
{
    page->setEnglish(english != 0);
}

EMSCRIPTEN_KEEPALIVE const char* tavrin_page_texts()
{
    return web::keepReply(page->pageTextsJson());
}

// A puzzle file the player chose or dropped, or one of the bundled ones.
EMSCRIPTEN_KEEPALIVE void tavrin_open_file(const char* name, const char* bytes, int length)
{
    page->session().openPuzzleBytes(name, std::string_view(bytes, length > 0 ? static_cast<std::size_t>(length) : 0));
}

// The tab is being hidden or closed: the free game is written now.
EMSCRIPTEN_KEEPALIVE void tavrin_save_now()
{
    page->session().saveGameNow();
}

} // extern "C"
