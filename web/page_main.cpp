// The entry points the page's script calls. Every event of the page comes in
// here, one at a time: while a box waits for the player the script holds the
// next events back, as a modal box does on the desktop.
#include "engine/scoring.h"
#include "game/controller.h"
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

const char* keep(std::string text)
{
    reply = std::move(text);
    return reply.c_str();
}

} // namespace

extern "C" {

// The page hands over the bundled pictures before the game starts.
EMSCRIPTEN_KEEPALIVE int tavrin_picture(int kind, const unsigned char* bytes, int length)
{
    if (!painter) {
        painter = std::make_unique<web::PagePainter>();
    }
    return painter->adoptPicture(kind, bytes, length > 0 ? static_cast<std::size_t>(length) : 0) ? 1 : 0;
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
    return keep(page->pageTextsJson());
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

// What a test reads after a move, the same fields as tavrin-cli replay prints.
EMSCRIPTEN_KEEPALIVE const char* tavrin_test_state()
{
    const GameState& s = page->session().state();
    const game::FlowState& f = page->controller().flow();
    std::string out = "{\"movesUsed\": " + std::to_string(s.movesUsed);
    out += ", \"maxMovesUsed\": " + std::to_string(s.maxMovesUsed);
    out += ", \"scoreChain\": " + std::to_string(s.scoreChain);
    out += ", \"discardCount\": " + std::to_string(s.discardCount);
    out += ", \"turnResult\": " + std::to_string(f.turnResult);
    out += ", \"ecoPoints\": " + std::to_string(ecoPoints(s));
    out += ", \"loopPoints\": " + std::to_string(s.loopPoints);
    out += ", \"bonus\": " + std::to_string(ecoBonus(s));
    out += ", \"total\": " + std::to_string(pointTotal(s));
    out += ", \"offeredPiece\": " + std::to_string(f.offeredPiece);
    out += ", \"freeGameActive\": ";
    out += f.freeGameActive ? "true" : "false";
    out += ", \"moveBusy\": ";
    out += f.moveBusy ? "true" : "false";
    out += ", \"puzzleSeries\": ";
    out += s.puzzleSeries ? "true" : "false";
    out += ", \"board\": [";
    for (int c = 0; c < kCellCount; ++c) {
        out += (c > 0 ? "," : "") + std::to_string(s.board[static_cast<std::size_t>(c)]);
    }
    out += "], \"green\": [";
    for (int c = 0; c < kCellCount; ++c) {
        out += (c > 0 ? "," : "") + std::to_string(s.greenStamp[static_cast<std::size_t>(c)]);
    }
    out += "], \"items\": [";
    for (int i = 0; i < s.itemCount; ++i) {
        out += (i > 0 ? ", " : "");
        out += "[" + std::to_string(s.itemCells[static_cast<std::size_t>(i)]) + ", " +
               std::to_string(s.cellItem[static_cast<std::size_t>(s.itemCells[static_cast<std::size_t>(i)])]) + "]";
    }
    return keep(out + "]}");
}

// A test lays the piece to offer next, as tavrin-cli replay does with "piece".
EMSCRIPTEN_KEEPALIVE void tavrin_test_offer(int piece)
{
    if (piece >= 0 && piece < kPieceKinds) {
        page->controller().flow().offeredPiece = static_cast<std::int16_t>(piece);
        page->window().redrawAll();
    }
}

// A test starts a free game with the items given, as "new" does in a replay:
// from the page's seed, so that the same pieces are dealt.
EMSCRIPTEN_KEEPALIVE void tavrin_test_new_game(const int* cellsAndKinds, int count)
{
    if (count < 2 || count > kMaxItems) {
        return;
    }
    game::ItemLayout layout;
    layout.count = count;
    for (int i = 0; i < count; ++i) {
        layout.cells[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(cellsAndKinds[2 * i]);
        layout.kinds[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(cellsAndKinds[2 * i + 1]);
    }
    page->reseed();
    page->controller().StartFreeGame(layout);
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
