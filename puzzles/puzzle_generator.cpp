#include "puzzles/puzzle_generator.h"

#include "engine/placement_groups.h"
#include "engine/placement_loops.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <random>

namespace tavrin {

namespace {

// Attempts before the closest puzzle found is taken. A big-loop search runs
// its rounds of both makers in turn.
constexpr int kFullConnectionAttempts = 1500;
constexpr int kBigLoopRounds = 8;
constexpr int kBrokenLoopAttempts = 100;
constexpr int kBigLoopBoards = 40;
constexpr int kCandidatesPerBoard = 64;

std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Uniform draws from a generator whose sequence the language fixes, so that a
// seed means the same puzzles everywhere.
class Draw {
public:
    explicit Draw(std::uint64_t seed) : engine_(seed) {}

    int below(int n) { return n <= 1 ? 0 : static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }

    template <typename T>
    void shuffle(std::vector<T>& items)
    {
        for (int i = static_cast<int>(items.size()) - 1; i > 0; --i) {
            std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(below(i + 1))]);
        }
    }

private:
    std::mt19937_64 engine_;
};

// The piece that opens exactly `sides` (bit d for direction d); kEmpty for
// fewer than two sides.
HyperRoad pieceWithSides(unsigned sides)
{
    for (HyperRoad p = 0; p < kPieceKinds; ++p) {
        if (openSides(p) == sides) {
            return p;
        }
    }
    return kEmpty;
}

Board boardOfSides(const std::array<unsigned, kCellCount>& sides)
{
    Board board = emptyBoard();
    for (int c = 0; c < kCellCount; ++c) {
        board[c] = pieceWithSides(sides[c]);
    }
    return board;
}

Puzzle puzzleOf(GameMode mode, const Board& board)
{
    Puzzle p;
    p.mode = mode;
    std::copy(board.begin(), board.begin() + kCellCount, p.cells.begin());
    return p;
}

// Keeps the candidate whose grade is nearest the wanted one, grades within
// the request's range before any outside it (the first of equals).
struct Closest {
    int wanted;
    int low;
    int high;
    Puzzle puzzle{};
    int grade = 0;

    bool found() const { return grade == wanted; }
    int distance(int g) const { return std::abs(g - wanted) + (g < low || g > high ? kHighestGrade : 0); }
    void offer(const Puzzle& p, const PuzzleRating& r)
    {
        if (!r.playable || r.beyondModel) {
            return;
        }
        if (grade == 0 || distance(r.grade) < distance(grade)) {
            puzzle = p;
            grade = r.grade;
        }
    }
};

// --- full connection ------------------------------------------------------------

// A road network in one group: a tree grown from a random cell, a few extra
// links, and an open side on every road end.
Board connectedNetwork(Draw& draw)
{
    const int size = draw.between(6, 24);
    std::array<unsigned, kCellCount> sides{};
    std::array<bool, kCellCount> taken{};
    std::vector<int> region{draw.below(kCellCount)};
    taken[static_cast<std::size_t>(region[0])] = true;
    for (int tries = 0; static_cast<int>(region.size()) < size && tries < 2000; ++tries) {
        const int from = region[static_cast<std::size_t>(draw.below(static_cast<int>(region.size())))];
        const int d = draw.below(kDirections);
        const int to = neighbour(from, d);
        if (to < 0 || taken[static_cast<std::size_t>(to)]) {
            continue;
        }
        taken[static_cast<std::size_t>(to)] = true;
        region.push_back(to);
        sides[static_cast<std::size_t>(from)] |= 1u << d;
        sides[static_cast<std::size_t>(to)] |= 1u << oppositeDirection(d);
    }
    for (int extra = draw.below(4); extra > 0; --extra) {
        const int a = region[static_cast<std::size_t>(draw.below(static_cast<int>(region.size())))];
        const int d = draw.below(kDirections);
        const int b = neighbour(a, d);
        if (b >= 0 && taken[static_cast<std::size_t>(b)]) {
            sides[static_cast<std::size_t>(a)] |= 1u << d;
            sides[static_cast<std::size_t>(b)] |= 1u << oppositeDirection(d);
        }
    }
    for (const int c : region) {
        auto& s = sides[static_cast<std::size_t>(c)];
        while (std::popcount(s) < 2) {
            s |= 1u << draw.below(kDirections);
        }
    }
    return boardOfSides(sides);
}

// Breaks the network in `cuts` places: a piece taken away or turned into
// another. A cut may also take away a piece joined to it (`wide` times in
// four), so that mending the gap needs a piece laid ahead.
void cutNetwork(Draw& draw, Board& board, int cuts, int wide)
{
    std::vector<int> roads;
    for (int c = 0; c < kCellCount; ++c) {
        if (board[c] != kEmpty) {
            roads.push_back(c);
        }
    }
    for (int k = 0; k < cuts && !roads.empty(); ++k) {
        const int c = roads[static_cast<std::size_t>(draw.below(static_cast<int>(roads.size())))];
        if (wide > 0 && draw.below(4) < wide) {
            const int d = draw.below(kDirections);
            const int n = neighbour(c, d);
            if (cellsLinked(board, c, n)) {
                board[n] = kEmpty;
                board[c] = kEmpty;
                continue;
            }
        }
        const int choice = draw.below(kCellContents);
        board[c] = contentAt(choice) == board[c] ? kEmpty : contentAt(choice);
    }
}

void generateFullConnection(Closest& closest, Draw& draw)
{
    const int grade = closest.wanted;
    for (int attempt = 0; attempt < kFullConnectionAttempts && !closest.found(); ++attempt) {
        Board board = connectedNetwork(draw);
        // Harder plans need more breaks; more than five groups would be a
        // chore rather than a puzzle.
        cutNetwork(draw, board, draw.between(std::max(1, grade - 2), grade + 1), std::max(0, grade - 2));
        const int groups = PlacementGroups(board).groups();
        if (groups < 2 || groups > 5) {
            continue;
        }
        // A start that only one shape of eleven finishes is a wait for the
        // supply rather than a plan: left out.
        const Puzzle p = puzzleOf(kFullConnection, board);
        const PuzzleRating r = ratePuzzle(p);
        if (r.clearingShapes != 1) {
            closest.offer(p, r);
        }
    }
}

// --- big loop ----------------------------------------------------------------------

// Rectangles of road drawn over each other, and some stray pieces.
Board loopsAndStrays(Draw& draw, int rectangles, int strays)
{
    std::array<unsigned, kCellCount> sides{};
    for (int r = 0; r < rectangles; ++r) {
        const int w = draw.between(2, 5);
        const int h = draw.between(2, 5);
        const int x0 = draw.below(kBoardSide - w + 1);
        const int y0 = draw.below(kBoardSide - h + 1);
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) {
                const bool top = y == y0, bottom = y == y0 + h - 1, left = x == x0, right = x == x0 + w - 1;
                unsigned s = 0;
                if (top || bottom) {
                    s |= (left ? 0u : 1u << kLeft) | (right ? 0u : 1u << kRight);
                }
                if (left || right) {
                    s |= (top ? 0u : 1u << kUp) | (bottom ? 0u : 1u << kDown);
                }
                sides[static_cast<std::size_t>(y * kBoardSide + x)] |= s;
            }
        }
    }
    Board board = boardOfSides(sides);
    for (int k = 0; k < strays; ++k) {
        const int c = draw.below(kCellCount);
        if (board[c] == kEmpty) {
            board[c] = static_cast<HyperRoad>(draw.below(kPieceKinds));
        }
    }
    return board;
}

// Changes cells to their best content until no single change raises the
// loop points. Fills `table` with the points of every content of every cell
// of the final board; false when it did not settle.
bool climbToBest(Board& board, std::array<std::array<long, kCellContents>, kCellCount>& table)
{
    PlacementLoops loops(board);
    for (int sweep = 0; sweep < 6; ++sweep) {
        bool changed = false;
        for (int c = 0; c < kCellCount; ++c) {
            auto& row = table[static_cast<std::size_t>(c)];
            row = loops.pointsPerContent(c);
            int best = contentIndex(board[c]);
            for (int i = 0; i < kCellContents; ++i) {
                if (row[static_cast<std::size_t>(i)] > row[static_cast<std::size_t>(best)]) {
                    best = i;
                }
            }
            if (best != contentIndex(board[c])) {
                board[c] = contentAt(best);
                loops.reset(board);
                changed = true;
            }
        }
        if (!changed) {
            return true;
        }
    }
    return false;
}

// A loop broken in one place, as an author would: a piece changed so that
// the loop points drop. Usually several placements mend it.
void breakOneLoop(Closest& closest, Draw& draw)
{
    PlacementLoops loops(emptyBoard());
    for (int attempt = 0; attempt < kBrokenLoopAttempts && !closest.found(); ++attempt) {
        // Draws one after the other, never as arguments of one call (whose
        // order compilers choose): strays first, as the bundled files were made.
        const int strays = draw.below(4 * closest.wanted + 1);
        const int rectangles = draw.between(1, 3);
        const Board whole = loopsAndStrays(draw, rectangles, strays);
        loops.reset(whole);
        std::vector<int> roads;
        for (int c = 0; c < kCellCount; ++c) {
            if (whole[c] != kEmpty) {
                roads.push_back(c);
            }
        }
        if (roads.empty()) {
            continue;
        }
        const int c = roads[static_cast<std::size_t>(draw.below(static_cast<int>(roads.size())))];
        const std::array<long, kCellContents> points = loops.pointsPerContent(c);
        std::vector<HyperRoad> lower;
        for (int i = 0; i < kCellContents; ++i) {
            if (points[static_cast<std::size_t>(i)] < loops.points()) {
                lower.push_back(contentAt(i));
            }
        }
        if (lower.empty()) {
            continue;
        }
        Board start = whole;
        start[c] = lower[static_cast<std::size_t>(draw.below(static_cast<int>(lower.size())))];
        const Puzzle p = puzzleOf(kBigLoop, start);
        closest.offer(p, ratePuzzle(p));
    }
}

// Boards for grades 3, 4 and 5, as found by trying: more rectangles give more
// loops to spoil, strays more places that look like a fit.
struct BoardMix {
    int fewestRectangles, mostRectangles, fewestStrays, mostStrays;
};
constexpr std::array<BoardMix, 3> kBoardMixes{{{3, 5, 8, 16}, {2, 3, 0, 8}, {2, 5, 4, 12}}};

// Unique solutions: on a board that no single change improves, a cell whose
// best content beats every other is given the runner-up instead.
void spoilBestBoard(Closest& closest, Draw& draw)
{
    const int grade = closest.wanted;
    auto table = std::make_unique<std::array<std::array<long, kCellContents>, kCellCount>>();
    for (int attempt = 0; attempt < kBigLoopBoards; ++attempt) {
        // A board that no single change improves: its best cells are solutions.
        const BoardMix& kind = kBoardMixes[static_cast<std::size_t>(std::clamp(grade, 3, 5) - 3)];
        const int strays = draw.between(kind.fewestStrays, kind.mostStrays); // first, as above
        const int rectangles = draw.between(kind.fewestRectangles, kind.mostRectangles);
        Board best = loopsAndStrays(draw, rectangles, strays);
        if (!climbToBest(best, *table)) {
            continue;
        }
        // Cells whose content beats every other: the start holds the runner-up there.
        std::vector<int> cells;
        for (int c = 0; c < kCellCount; ++c) {
            const auto& row = (*table)[static_cast<std::size_t>(c)];
            const long top = row[static_cast<std::size_t>(contentIndex(best[c]))];
            if (top > 0 && std::count(row.begin(), row.end(), top) == 1) {
                cells.push_back(c);
            }
        }
        draw.shuffle(cells);
        if (cells.size() > kCandidatesPerBoard) {
            cells.resize(kCandidatesPerBoard);
        }
        for (const int c : cells) {
            const auto& row = (*table)[static_cast<std::size_t>(c)];
            const long top = row[static_cast<std::size_t>(contentIndex(best[c]))];
            long second = -1;
            for (const long p : row) {
                second = p < top ? std::max(second, p) : second;
            }
            std::vector<HyperRoad> runnersUp;
            for (int i = 0; i < kCellContents; ++i) {
                if (row[static_cast<std::size_t>(i)] == second) {
                    runnersUp.push_back(contentAt(i));
                }
            }
            draw.shuffle(runnersUp);
            for (const HyperRoad content : runnersUp) {
                Board start = best;
                start[c] = content;
                const Puzzle p = puzzleOf(kBigLoop, start);
                closest.offer(p, ratePuzzle(p));
                if (closest.found()) {
                    return;
                }
            }
        }
    }
}

// Used only when a search found nothing playable at all: two straights with
// a gap between them, or a ring of four curves with one missing.
Puzzle simplestPuzzle(GameMode mode, Draw& draw)
{
    Board board = emptyBoard();
    const int row = draw.below(kBoardSide - 2);
    const int c = row * kBoardSide + draw.below(kBoardSide - 2);
    if (mode == kBigLoop) {
        board[c] = 4;
        board[c + 1] = 5;
        board[c + kBoardSide] = 3;
    } else {
        board[c] = 0;
        board[c + 2] = 0;
    }
    return puzzleOf(mode, board);
}

Closest generateWithin(GameMode mode, int grade, int low, int high, std::uint64_t seed)
{
    Draw draw(mix(seed));
    grade = std::clamp(grade, kLowestGrade, kHighestGrade);
    Closest found{grade, low, high};
    if (mode != kBigLoop) {
        generateFullConnection(found, draw);
    } else {
        // Each maker reaches every grade now and then; the one that usually
        // gives the wanted grade goes first in each round.
        for (int round = 0; round < kBigLoopRounds && !found.found(); ++round) {
            if (grade <= 2) {
                breakOneLoop(found, draw);
            }
            if (!found.found()) {
                spoilBestBoard(found, draw);
            }
            if (grade > 2 && !found.found()) {
                breakOneLoop(found, draw);
            }
        }
    }
    if (found.grade == 0) {
        found.puzzle = simplestPuzzle(mode, draw);
        found.grade = ratePuzzle(found.puzzle).grade;
    }
    found.puzzle.comment = fitComment(gradeComment(found.grade));
    return found;
}

} // namespace

Puzzle generatePuzzle(GameMode mode, int grade, std::uint64_t seed)
{
    return generateWithin(mode, grade, grade, grade, seed).puzzle;
}

int gradeAt(int index, int count, int low, int high)
{
    if (count <= 1 || high <= low) {
        return low;
    }
    return low + index * (high - low + 1) / count;
}

std::string gradeComment(int grade)
{
    // The comment is puzzle data, written into the file as it is.
    static constexpr const char* kDigits[] = {"０", "１", "２", "３", "４", "５"}; // not for translation
    grade = std::clamp(grade, 0, kHighestGrade);
    std::string text = std::string("難易度") + kDigits[grade] + " "; // not for translation
    for (int i = 1; i <= kHighestGrade; ++i) {
        text += i <= grade ? "★" : "☆"; // not for translation
    }
    return text;
}

std::vector<GeneratedPuzzle> generateSeries(const GeneratorRequest& request)
{
    const int count = std::clamp(request.count, 1, kMaxPuzzles);
    const int low = std::clamp(std::min(request.lowestGrade, request.highestGrade), kLowestGrade, kHighestGrade);
    const int high = std::clamp(std::max(request.lowestGrade, request.highestGrade), kLowestGrade, kHighestGrade);
    Draw draw(mix(request.seed));

    std::vector<GameMode> modes(static_cast<std::size_t>(count),
                                request.modes == ModeMix::BigLoop ? kBigLoop : kFullConnection);
    if (request.modes == ModeMix::Mixed) {
        // Half of each, the odd one drawn; then shuffled.
        const GameMode odd = draw.below(2) == 0 ? kBigLoop : kFullConnection;
        for (int i = 0; i < count; ++i) {
            modes[static_cast<std::size_t>(i)] = i < count / 2 ? (odd == kBigLoop ? kFullConnection : kBigLoop) : odd;
        }
        draw.shuffle(modes);
    }
    std::vector<GeneratedPuzzle> made;
    for (int i = 0; i < count; ++i) {
        const std::uint64_t seed = mix(request.seed ^ mix(static_cast<std::uint64_t>(i) + 1));
        const int wanted = gradeAt(i, count, low, high);
        const Closest c = generateWithin(modes[static_cast<std::size_t>(i)], wanted, low, high, seed);
        made.push_back({c.puzzle, c.grade, wanted});
    }
    // A search that missed its grade must not break the rising order. At most
    // 64 puzzles: sorted by insertion, which keeps equal grades in their order
    // and costs the page less code than std::stable_sort.
    const auto byGrade = [](int grade, const GeneratedPuzzle& p) { return grade < p.grade; };
    for (auto next = made.begin(); next != made.end(); ++next) {
        std::rotate(std::upper_bound(made.begin(), next, next->grade, byGrade), next, next + 1);
    }
    return made;
}

std::vector<Puzzle> generatePuzzles(const GeneratorRequest& request)
{
    std::vector<Puzzle> puzzles;
    for (GeneratedPuzzle& m : generateSeries(request)) {
        puzzles.push_back(std::move(m.puzzle));
    }
    return puzzles;
}

GeneratorRequest dailyRequest(int year, unsigned month, unsigned day)
{
    GeneratorRequest r;
    r.count = kSeriesLength;
    r.seed = mix(0x7461767269ULL ^ (static_cast<std::uint64_t>(year) * 10000 + month * 100 + day));
    return r;
}

std::uint64_t dailyGameSeed(int year, unsigned month, unsigned day)
{
    // The daily series' seed mixed once more, so the two differ on every date.
    return mix(dailyRequest(year, month, day).seed ^ 0x6963686B796F6B75ULL);
}

} // namespace tavrin
