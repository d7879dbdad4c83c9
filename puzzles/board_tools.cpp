#include "puzzles/board_tools.h"

#include <array>

namespace tavrin {

namespace {

int wrap8(int v)
{
    return ((v % kBoardSide) + kBoardSide) % kBoardSide;
}

// Pieces turned or mirrored by a whole-board tool. A value that is not a
// piece code stays as it is, so the tools never invent pieces.
HyperRoad turned(HyperRoad piece, int direction)
{
    return turnPiece(piece, direction).value_or(piece);
}

HyperRoad mirrored(HyperRoad piece, int axis)
{
    return mirrorPiece(piece, axis).value_or(piece);
}

int cellAt(int row, int column)
{
    return row * kBoardSide + column;
}

struct ToolButton {
    enum Kind { kSeparator, kMirror, kTurn, kShift } kind;
    int a;
    int b;
};

constexpr std::array<ToolButton, kBoardToolButtons> kButtons{{
    {ToolButton::kSeparator, 0, 0},
    {ToolButton::kMirror, 1, 0}, // 上下反転
    {ToolButton::kMirror, 0, 0}, // 左右反転
    {ToolButton::kSeparator, 0, 0},
    {ToolButton::kTurn, 0, 0}, // 左90度回転
    {ToolButton::kTurn, 1, 0}, // 右90度回転
    {ToolButton::kSeparator, 0, 0},
    {ToolButton::kShift, -1, 0}, // 左にシフト
    {ToolButton::kShift, 0, -1}, // 上にシフト
    {ToolButton::kShift, 0, 1}, // 下にシフト
    {ToolButton::kShift, 1, 0}, // 右にシフト
}};

const ToolButton* buttonAt(int button)
{
    if (button < 1 || button > kBoardToolButtons) {
        return nullptr;
    }
    return &kButtons[static_cast<std::size_t>(button - 1)];
}

} // namespace

void shiftBoard(Board& board, int dx, int dy)
{
    dx = wrap8(dx);
    dy = wrap8(dy);
    const Board old = board;
    for (int r = 0; r < kBoardSide; ++r) {
        for (int c = 0; c < kBoardSide; ++c) {
            board[cellAt(wrap8(r + dy), wrap8(c + dx))] = old[cellAt(r, c)];
        }
    }
}

void mirrorBoard(Board& board, int axis)
{
    if (axis != 0 && axis != 1) {
        return;
    }
    const Board old = board;
    for (int r = 0; r < kBoardSide; ++r) {
        for (int c = 0; c < kBoardSide; ++c) {
            const int to = axis == 0 ? cellAt(r, kBoardSide - 1 - c) : cellAt(kBoardSide - 1 - r, c);
            board[to] = mirrored(old[cellAt(r, c)], axis);
        }
    }
}

void turnBoard(Board& board, int direction)
{
    if (direction != 0 && direction != 1) {
        return;
    }
    const Board old = board;
    for (int r = 0; r < kBoardSide; ++r) {
        for (int c = 0; c < kBoardSide; ++c) {
            const int to = direction == 0 ? cellAt(kBoardSide - 1 - c, r) : cellAt(c, kBoardSide - 1 - r);
            board[to] = turned(old[cellAt(r, c)], direction);
        }
    }
}

HyperRoad pickRandomShape(HyperRoad selectedShape, const UniformSource& random)
{
    // A real generator finds another shape within a few draws; the bound only
    // keeps a broken source from hanging the editor.
    constexpr int kMaxDraws = 1000;
    for (int i = 0; random && i < kMaxDraws; ++i) {
        const double x = random();
        int shape = 0; // also for a negative or NaN draw
        if (x >= 1.0) {
            shape = kPieceKinds - 1;
        } else if (x > 0.0) {
            shape = static_cast<int>(x * kPieceKinds);
        }
        if (shape != selectedShape) {
            return static_cast<HyperRoad>(shape);
        }
    }
    const int next = isPiece(selectedShape) ? (selectedShape + 1) % kPieceKinds : 0;
    return static_cast<HyperRoad>(next);
}

bool toolbar2HasAction(int button)
{
    const ToolButton* b = buttonAt(button);
    return b && b->kind != ToolButton::kSeparator;
}

bool applyBoardToolButton(Board& board, int button)
{
    const ToolButton* b = buttonAt(button);
    if (!b) {
        return false;
    }
    switch (b->kind) {
    case ToolButton::kMirror: mirrorBoard(board, b->a); return true;
    case ToolButton::kTurn: turnBoard(board, b->a); return true;
    case ToolButton::kShift: shiftBoard(board, b->a, b->b); return true;
    case ToolButton::kSeparator: break;
    }
    return false;
}

} // namespace tavrin
