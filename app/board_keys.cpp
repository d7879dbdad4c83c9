#include "app/board_keys.h"

#include <algorithm>

namespace tavrin::app {

namespace {
constexpr int kSide = 8;
} // namespace

BoardKey boardKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return {};
    }
    switch (key) {
    case Qt::Key_Left: return {KeyAction::Move, -1, 0, -1};
    case Qt::Key_Right: return {KeyAction::Move, 1, 0, -1};
    case Qt::Key_Up: return {KeyAction::Move, 0, -1, -1};
    case Qt::Key_Down: return {KeyAction::Move, 0, 1, -1};
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: return {KeyAction::Place, 0, 0, -1};
    case Qt::Key_Delete:
    case Qt::Key_Backspace: return {KeyAction::Discard, 0, 0, -1};
    case Qt::Key_Minus: return {KeyAction::Palette, 0, 0, 10};
    // "=" on most keyboards; on Japanese ones the key beside "-" is "^".
    case Qt::Key_Equal:
    case Qt::Key_AsciiCircum: return {KeyAction::Palette, 0, 0, 11};
    default: break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return {KeyAction::Palette, 0, 0, key - Qt::Key_0};
    }
    return {};
}

int steppedCell(int cell, int dx, int dy)
{
    const int row = std::clamp(cell / kSide + dy, 0, kSide - 1);
    const int column = std::clamp(cell % kSide + dx, 0, kSide - 1);
    return row * kSide + column;
}

} // namespace tavrin::app
