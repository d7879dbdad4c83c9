// Hostile bytes for the saved-game reader. Whatever it accepts must be written
// back byte for byte, and a game taken up from it must play on: moves on the
// cells the input names, a discard, and never a stall.
#include "game/controller.h"
#include "game/crc32.h"
#include "game/saved_game.h"
#include "game/saved_game_file.h"
#include "tests/game/fake_window.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tavrin;
using namespace tavrin::game;

void playOn(const SavedGame& saved, const std::string& bytes)
{
    // Putting the random source back replays its draws; a few thousand are
    // enough to show the way, and keep every run quick.
    if (saved.random.draws > 4096) {
        return;
    }
    GameState state;
    testing::FakeWindow window;
    RandomSource random(1);
    GameController ctl(state, window, random);
    ctl.setItemKindCount(saved.itemCount);
    if (ctl.continueFreeGame(saved) != SavedGameProblem::None || *captureSavedGame(ctl) != saved) {
        std::abort();
    }
    for (std::size_t i = 0; i < 4 && ctl.freeGameAtRest(); ++i) {
        const int cell = static_cast<unsigned char>(bytes[i]) % 65;
        if (cell == 64) {
            ctl.trashReleased();
        } else {
            ctl.cellReleased(cell);
        }
        for (int tick = 0; tick < 16 && window.isRunning(Timer::Evaluation); ++tick) {
            ctl.timerTick(Timer::Evaluation);
        }
        if (window.isRunning(Timer::AfterDiscard)) {
            ctl.timerTick(Timer::AfterDiscard);
        }
        if (window.isRunning(Timer::Evaluation)) {
            std::abort(); // a placement sequence that never ends
        }
    }
}

void check(const std::string& bytes)
{
    const SavedGameRead read = decodeSavedGame(bytes);
    if (!read.game) {
        if (read.problem == SavedGameProblem::None || read.problem == SavedGameProblem::Missing) {
            std::abort();
        }
        return;
    }
    if (read.problem != SavedGameProblem::None || encodeSavedGame(*read.game) != bytes) {
        std::abort();
    }
    playOn(*read.game, bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    // The same bytes with a checksum that fits, so that the values behind it
    // are reached as well.
    if (size >= 18) {
        const std::uint32_t crc = tavrin::game::crc32(std::string_view(bytes).substr(0, size - 4));
        for (int k = 0; k < 4; ++k) {
            bytes[size - 4 + static_cast<std::size_t>(k)] = static_cast<char>((crc >> (8 * k)) & 0xFF);
        }
        check(bytes);
    }
    return 0;
}
