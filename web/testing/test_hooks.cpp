// Entry points of the test build of the page only: the browser tests read
// the game's state and lay the pieces and items of a replayed game, the
// same steps tavrin-cli replay takes. The page players get has none of them
// (web/CMakeLists.txt).
#include "engine/scoring.h"
#include "game/controller.h"
#include "web/page_main.h"

#include <emscripten/emscripten.h>

#include <string>

using namespace tavrin;

using tavrin::web::keepReply;
using tavrin::web::runningPage;

extern "C" {

// What a test reads after a move, the same fields as tavrin-cli replay prints.
EMSCRIPTEN_KEEPALIVE const char* tavrin_test_state()
{
    web::PageGame* page = &runningPage();
    const GameState& s = page->session().state();
    const game::FreeGame& f = page->controller().freeGame();
    std::string out = "{\"movesUsed\": " + std::to_string(s.movesUsed);
    out += ", \"maxMovesUsed\": " + std::to_string(s.maxMovesUsed);
    out += ", \"scoreChain\": " + std::to_string(s.scoreChain);
    out += ", \"discardCount\": " + std::to_string(s.discardCount);
    out += ", \"turnResult\": " + std::to_string(f.turnResult());
    out += ", \"ecoPoints\": " + std::to_string(ecoPoints(s));
    out += ", \"loopPoints\": " + std::to_string(s.loopPoints);
    out += ", \"bonus\": " + std::to_string(ecoBonus(s));
    out += ", \"total\": " + std::to_string(pointTotal(s));
    out += ", \"offeredPiece\": " + std::to_string(f.offeredPiece());
    out += ", \"freeGameActive\": ";
    out += f.active() ? "true" : "false";
    out += ", \"moveBusy\": ";
    out += f.busy() ? "true" : "false";
    out += ", \"puzzleSeries\": ";
    out += s.puzzleSeries ? "true" : "false";
    out += ", \"selectedShape\": " + std::to_string(s.selectedShape);
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
        const auto cell = s.itemCells[static_cast<std::size_t>(i)];
        out += (i > 0 ? ", " : "");
        out += "[" + std::to_string(cell) + ", " + std::to_string(s.cellItem[static_cast<std::size_t>(cell)]) + "]";
    }
    return keepReply(out + "]}");
}

// A test lays the piece to offer next, as tavrin-cli replay does with "piece".
EMSCRIPTEN_KEEPALIVE void tavrin_test_offer(int piece)
{
    web::PageGame* page = &runningPage();
    if (piece >= 0 && piece < kPieceKinds) {
        page->session().input([&] {
            page->controller().offerPieceOutOfTurn(piece);
            page->controller().showNewBoard();
        });
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
    web::PageGame* page = &runningPage();
    page->controller().supply().reseed(page->seed());
    page->session().input([&] { page->controller().startFreeGame(layout); });
}

// A test starts the free game a record's seed gives, as the game starts
// any free game, so that the record's moves play it again.
EMSCRIPTEN_KEEPALIVE void tavrin_test_seeded_game(std::uint32_t seedHigh, std::uint32_t seedLow)
{
    web::PageGame* page = &runningPage();
    const std::uint64_t seed = (std::uint64_t{seedHigh} << 32) | seedLow;
    page->session().input([&] { page->controller().startFreeGameFromSeed(seed); });
}

// Runs the game's timers at once until the move in progress has played out,
// as the replay does.
EMSCRIPTEN_KEEPALIVE void tavrin_test_settle()
{
    web::PageGame* page = &runningPage();
    game::Output& output = page->session().output();
    for (int guard = 0; guard < 80 && !output.boxOpen(); ++guard) {
        const auto due = output.timers().nextDue();
        if (!due) {
            break;
        }
        page->session().tick(*due);
    }
}

} // extern "C"
