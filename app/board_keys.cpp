#include "app/board_keys.h"

namespace tavrin::app {

std::optional<game::Key> boardKey(int key, Qt::KeyboardModifiers modifiers)
{
    using game::Key;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return std::nullopt;
    }
    switch (key) {
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Minus: return Key::Minus;
    case Qt::Key_Equal: return Key::Equal;
    case Qt::Key_AsciiCircum: return Key::Caret;
    default: break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<Key>(static_cast<int>(Key::Digit0) + (key - Qt::Key_0));
    }
    return std::nullopt;
}

} // namespace tavrin::app
