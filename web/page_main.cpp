// The entry points the page's script calls. Every event of the page comes in
// here, one at a time: while a box waits for the player the script holds the
// next events back, as a modal box does on the desktop.
#include "engine/game_state.h"
#include "game/controller.h"
#include "web/page_game.h"
#include "web/page_main.h"
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
// later, and the board is drawn again with it.
EMSCRIPTEN_KEEPALIVE int tavrin_picture(int kind, const unsigned char* rgba, int width, int height)
{
    if (!painter) {
        painter = std::make_unique<web::PagePainter>();
    }
    if (!painter->adoptPicture(kind, rgba, width, height)) {
        return 0;
    }
    if (page) {
        page->window().redrawAll();
    }
    return 1;
}

EMSCRIPTEN_KEEPALIVE void tavrin_start(std::uint32_t seedHigh, std::uint32_t seedLow, int english)
{
    const std::uint64_t seed = (std::uint64_t{seedHigh} << 32) | seedLow;
    if (!painter) {
        painter = std::make_unique<web::PagePainter>();
    }
    page = std::make_unique<web::PageGame>(*painter, seed, english != 0);
    painter->attach(page->session().state());
    page->start();
}

EMSCRIPTEN_KEEPALIVE void tavrin_cell(int cell)
{
    if (cell >= 0 && cell < kCellCount) {
        page->controller().cellReleased(cell);
    }
}

EMSCRIPTEN_KEEPALIVE void tavrin_hover(int cell)
{
    if (cell >= 0 && cell < kCellCount) {
        page->controller().cellHovered(cell);
    }
}

EMSCRIPTEN_KEEPALIVE void tavrin_trash()
{
    page->controller().trashReleased();
}

EMSCRIPTEN_KEEPALIVE void tavrin_timer(int timer)
{
    if (timer >= 0 && timer < 4 && page->window().timerRunning(static_cast<game::Timer>(timer))) {
        page->controller().timerTick(static_cast<game::Timer>(timer));
    }
}

EMSCRIPTEN_KEEPALIVE void tavrin_command(int command, int fromToolbar)
{
    if (command >= 0 && command < game::kCommandCount) {
        page->controller().command(static_cast<game::Command>(command),
                                   fromToolbar != 0 ? game::Source::Toolbar : game::Source::Menu);
    }
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

extern "C" {

// Palette entry 0..11 in series play; `shiftState` 1 Shift, 2 Ctrl, 4 Alt.
EMSCRIPTEN_KEEPALIVE void tavrin_palette(int entry, int shiftState)
{
    if (entry >= 0 && entry < 12) {
        page->controller().palettePressed(entry, shiftState);
    }
}

} // extern "C"
