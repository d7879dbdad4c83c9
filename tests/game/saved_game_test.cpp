// A free game kept across runs: the file's bytes, what is refused, and a game
// taken up after every move that plays on exactly as one never interrupted.
#include "tests/game/editor_fixture.h"

#include "engine/hint.h"
#include "engine/scoring.h"
#include "game/saved_game.h"
#include "game/saved_game_file.h"
#include "tests/support/temp_folder.h"

#include <sys/stat.h>

#include <memory>
#include <random>

namespace tavrin::game::testing {
namespace {

using test::TempFolder;
using SavedGameFlow = EditorFixture;

// One move chosen from the position and the player's own dice: where the
// offered piece scores most when it scores at all, else every seventh move a
// discard, else an empty cell at random.
void playMove(Flow& t, int number, std::mt19937& player)
{
    const GameState& state = t.state;
    const FreeGame& free = t.ctl.freeGame();
    const auto hint = bestPlacement(state, static_cast<HyperRoad>(free.offeredPiece()), free.nextMoveFree());
    if (hint && hint->total > ecoPoints(state) + state.loopPoints) {
        t.click(hint->cell);
        return;
    }
    std::vector<int> cells;
    for (int c = 0; c < kCellCount; ++c) {
        if (state.board[c] == kEmpty) {
            cells.push_back(c);
        }
    }
    if (cells.empty() && hint) {
        t.click(hint->cell); // a full board: discarding could go on for ever
    } else if (number % 7 == 6 || cells.empty()) {
        t.trash();
    } else {
        t.click(cells[player() % cells.size()]);
    }
}

struct Played {
    std::vector<ScoreLabels> labels; // after each click and after each move
    std::vector<std::string> boxes;
    std::size_t highScores = 0;
    int total = 0;
    int returns = 0; // moves that gave moves back
    bool operator==(const Played&) const = default;
};

// The game of `seed` to its end; with `resume`, written to bytes after every
// move and taken up by a new program (with a random source of another seed).
Played play(std::uint64_t seed, bool resume)
{
    auto t = std::make_unique<Flow>(seed);
    std::mt19937 player(static_cast<std::mt19937::result_type>(seed));
    t->input([&] { t->ctl.startFreeGameFromSeed(seed); });
    Played p;
    for (int n = 0; n < 400 && t->ctl.freeGameAtRest(); ++n) {
        if (resume) {
            const SavedGameRead read = decodeSavedGame(encodeSavedGame(*captureSavedGame(t->ctl)));
            t = std::make_unique<Flow>(seed * 7919 + static_cast<std::uint64_t>(n) + 1);
            t->input([&] { EXPECT_EQ(t->ctl.continueFreeGame(*read.game), SavedGameProblem::None); });
        }
        playMove(*t, n, player);
        p.returns += t->state.noMovesReturned ? 0 : 1;
        p.labels.push_back(t->state.labels);
        t->runTimers();
        p.labels.push_back(t->state.labels);
    }
    for (const Box& box : t->front.boxes) {
        p.boxes.push_back(box.text.japanese());
    }
    p.highScores = t->keeper.free.size();
    p.total = pointTotal(t->state);
    return p;
}

TEST(SavedGame, ResumedAfterEveryMoveScoresAsTheGamePlayedStraight)
{
    // A seed replays its game: seed 36 reaches the goal, seed 9 runs out of
    // moves after a chain gave moves back. Both discard and play free moves.
    for (const std::uint64_t seed : {36u, 9u}) {
        const Played straight = play(seed, false);
        ASSERT_GT(straight.labels.size(), 200u) << seed;
        ASSERT_EQ(straight.boxes.size(), 1u) << seed; // the result or the time-up box
        ASSERT_EQ(straight.highScores, seed == 36 ? 1u : 0u) << seed;
        ASSERT_GT(straight.returns, 0) << seed;
        EXPECT_TRUE(play(seed, true) == straight) << seed; // every label, the box, the total
    }
}

// --- the bytes ---------------------------------------------------------------------

SavedGame sampleGame()
{
    SavedGame g;
    g.board.fill(kEmpty);
    g.greenStamp.fill(-1);
    g.board[0] = 10;
    g.board[1] = 0;
    g.board[2] = 5;
    g.board[63] = 9;
    // The items' group 0-1-2 is green, the lone piece at 63 is not.
    g.greenStamp[0] = 99;
    g.greenStamp[1] = 98;
    g.greenStamp[2] = 97;
    g.itemCount = 3;
    g.itemCells = {0, 1, 2, 0, 0};
    g.itemKinds = {2, 0, 1, 0, 0};
    g.movesUsed = 4;
    g.maxMovesUsed = 5;
    g.scoreChain = 2;
    g.movesReturnedTotal = 1;
    g.movesReturned = 0;
    g.noMovesReturned = true;
    g.scoreLabelsDirty = 0;
    g.labels = {"197", "96", "0", "2"};
    g.offeredPiece = 7;
    g.discardWindow = {-1, -1, -1, -1, -1, -1, -1, 3, -1, -1};
    g.random = {0x0102030405060708ULL, 300};
    return g;
}

std::string hex(const std::string& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += digits[(static_cast<unsigned char>(c) >> 4) & 0xF];
        out += digits[static_cast<unsigned char>(c) & 0xF];
    }
    return out;
}

TEST(SavedGame, FileBytesArePinned)
{
    const std::string bytes = encodeSavedGame(sampleGame());
    const std::string empty64(128, 'f');
    const std::string expected =
        // magic, version 1, body length 190
        "5441565247414d45" "0100" "be000000"
        // seed, draws
        "0807060504030201" "2c01000000000000"
        // moves used 4, highest 5, chain 2, returned in all 1, returned 0, label flags 0
        "0400" "0500" "0200" "0100" "0000" "0000"
        // no moves returned, offered piece 7, discard window
        "01" "07" "ffffffffffffff03ffff"
        // three items: (0, kind 2), (1, kind 0), (2, kind 1), two unused
        "03" "0002" "0100" "0201" "ffff" "ffff"
        // board: 10, 0, 5, 60 empty, 9
        "0a0005" + empty64.substr(0, 120) + "09"
        // green stamps: 99, 98, 97, 61 not green
        + "636261" + empty64.substr(0, 122)
        // labels "197", "96", "0", "2"
        + "03313937" "023936" "0130" "0132";
    ASSERT_EQ(hex(bytes.substr(0, bytes.size() - 4)), expected);
    // CRC-32 of everything before it (computed apart with Python's zlib.crc32).
    EXPECT_EQ(hex(bytes.substr(bytes.size() - 4)), "17408e28");
    const SavedGameRead read = decodeSavedGame(bytes);
    ASSERT_TRUE(read.game);
    EXPECT_EQ(*read.game, sampleGame());
}

// Each kind of refused file, and that a valid one with one changed value is
// refused by its values and not only by its checksum.
TEST(SavedGame, RefusedFilesSayWhy)
{
    const std::string good = encodeSavedGame(sampleGame());
    EXPECT_EQ(decodeSavedGame("").problem, SavedGameProblem::Truncated);
    for (std::size_t n = 1; n < good.size(); ++n) {
        ASSERT_EQ(decodeSavedGame(good.substr(0, n)).problem, SavedGameProblem::Truncated) << n;
    }
    EXPECT_EQ(decodeSavedGame(good + "x").problem, SavedGameProblem::Damaged);
    EXPECT_EQ(decodeSavedGame("\x89PNG\r\n\x1a\n0000000000").problem, SavedGameProblem::Foreign);
    EXPECT_EQ(decodeSavedGame("KEM\x01\x02").problem, SavedGameProblem::Foreign);

    std::string flipped = good;
    flipped[40] = static_cast<char>(flipped[40] ^ 0x10);
    EXPECT_EQ(decodeSavedGame(flipped).problem, SavedGameProblem::Damaged);

    std::string later = good;
    later[8] = 3;
    EXPECT_EQ(decodeSavedGame(later).problem, SavedGameProblem::FutureVersion);
    later[8] = 0;
    EXPECT_EQ(decodeSavedGame(later).problem, SavedGameProblem::Damaged);

    // Values no game between two moves can have, each in a correctly sealed file.
    const auto refused = [](auto change) {
        SavedGame g = sampleGame();
        change(g);
        return decodeSavedGame(encodeSavedGame(g)).problem;
    };
    EXPECT_EQ(refused([](SavedGame& g) { g.board[5] = 11; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.greenStamp[5] = 101; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.movesUsed = 100; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.maxMovesUsed = 3; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.itemKinds[1] = 2; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.itemCells[1] = 0; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.itemCount = 1; }), SavedGameProblem::Damaged);
    // A full window with the offered piece kept out too would leave no shape to deal.
    EXPECT_EQ(refused([](SavedGame& g) { g.discardWindow[9] = 4; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.discardWindow[7] = 7; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.labels.ecoPoints = "1e3"; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.random.draws = RandomSource::kSeedSpan + 1; }), SavedGameProblem::Damaged);
    // A chain longer than the moves could pay for, or than the points it raised.
    EXPECT_EQ(refused([](SavedGame& g) { g.scoreChain = 32767; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.scoreChain = 15; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) {
        g.greenStamp.fill(-1);
        g.itemCells[2] = 36; // items apart: nothing green, no points
    }), SavedGameProblem::Damaged);
    // Green stamps that greening cannot leave: outside the items' group, a
    // gap inside it, a move later than any played.
    EXPECT_EQ(refused([](SavedGame& g) { g.greenStamp[63] = 97; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.greenStamp[2] = -1; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.greenStamp[2] = 94; }), SavedGameProblem::Damaged);
    // Moves given back by the last move, yet none said to be.
    EXPECT_EQ(refused([](SavedGame& g) { g.movesReturned = 1; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame& g) { g.movesReturnedTotal = 32767; }), SavedGameProblem::Damaged);
    EXPECT_EQ(refused([](SavedGame&) {}), SavedGameProblem::None);
}

TEST(SavedGame, FilesOnDisk)
{
    TempFolder folder;
    const std::filesystem::path path = folder.path() / "data" / "free-game.sav";
    EXPECT_EQ(readSavedGameFile(path).problem, SavedGameProblem::Missing);
    ASSERT_TRUE(writeSavedGameFile(path, sampleGame())); // the data folder is made when missing
    const SavedGameRead read = readSavedGameFile(path);
    ASSERT_TRUE(read.game);
    EXPECT_EQ(*read.game, sampleGame());

    setRefusedSavedGameAside(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data" / "free-game.sav.refused"));

    // A pipe in its place is not opened (that would wait for a writer), a folder not read.
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(readSavedGameFile(path).problem, SavedGameProblem::Unreadable);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(readSavedGameFile(path).problem, SavedGameProblem::Unreadable);
    std::filesystem::remove(path);

    // A huge file is not read whole.
    writeSavedGameFile(path, sampleGame());
    std::filesystem::resize_file(path, 1 << 20);
    EXPECT_EQ(readSavedGameFile(path).problem, SavedGameProblem::Damaged);
    removeSavedGameFile(path);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// --- the random source ---------------------------------------------------------------

TEST(SavedGame, RandomSourceRestoresAcrossItsOwnReseeding)
{
    RandomSource a(42);
    for (std::uint64_t i = 0; i < RandomSource::kSeedSpan - 3; ++i) {
        a.next();
    }
    const RandomState before = a.state();
    std::vector<double> next;
    for (int i = 0; i < 8; ++i) {
        next.push_back(a.next()); // reseeds itself on the way
    }
    EXPECT_NE(a.state().seed, 42u);
    RandomSource b(1);
    ASSERT_TRUE(b.restore(before));
    for (const double v : next) {
        EXPECT_EQ(b.next(), v);
    }
    EXPECT_EQ(b.state(), a.state());
    EXPECT_FALSE(b.restore({7, RandomSource::kSeedSpan + 1}));
    EXPECT_EQ(b.state(), a.state());
}

// --- when there is a game to keep ------------------------------------------------------

TEST_F(SavedGameFlow, OnlyAFreeGameBetweenMovesIsKept)
{
    auto settle = [this] {
        bool atRest = false;
        input([&] { atRest = ctl.settleBeforeSaving(); });
        return atRest;
    };
    EXPECT_FALSE(captureSavedGame(ctl)); // no game yet
    start();
    trash();
    EXPECT_FALSE(captureSavedGame(ctl)); // the discard is still being finished
    EXPECT_TRUE(settle());
    EXPECT_TRUE(captureSavedGame(ctl));

    enterEditor();
    EXPECT_FALSE(settle());
    EXPECT_FALSE(captureSavedGame(ctl)); // nor the editor
    command(Command::PlayMode, Source::Toolbar);

    // A move that ends the game is left to end it; nothing is kept after.
    state.movesUsed = 99;
    trash();
    EXPECT_FALSE(settle());
    tick(Timer::AfterDiscard);
    EXPECT_FALSE(captureSavedGame(ctl));
}

} // namespace
} // namespace tavrin::game::testing
