#include "game/keys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tavrin::game {

namespace {

constexpr int kSide = 8;

constexpr std::array<std::pair<std::string_view, Key>, 24> kBrowserNames{{
    {"ArrowLeft", Key::Left}, {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up}, {"ArrowDown", Key::Down},
    {" ", Key::Space}, {"Enter", Key::Enter}, {"Delete", Key::Delete}, {"Backspace", Key::Backspace},
    {"0", Key::Digit0}, {"1", Key::Digit1}, {"2", Key::Digit2}, {"3", Key::Digit3}, {"4", Key::Digit4},
    {"5", Key::Digit5}, {"6", Key::Digit6}, {"7", Key::Digit7}, {"8", Key::Digit8}, {"9", Key::Digit9},
    {"-", Key::Minus}, {"=", Key::Equal}, {"^", Key::Caret}, {"F1", Key::F1},
    {"F2", Key::F2}, {"F3", Key::F3},
}};

} // namespace

namespace {

KeyMeaning meaning(KeyMeaning::Kind kind, int dx = 0, int dy = 0, int entry = -1, std::string_view shortcut = {})
{
    KeyMeaning m;
    m.kind = kind;
    m.dx = dx;
    m.dy = dy;
    m.entry = entry;
    m.shortcut = shortcut;
    return m;
}

} // namespace

KeyMeaning keyMeaning(Key key)
{
    using Kind = KeyMeaning::Kind;
    switch (key) {
    case Key::Left: return meaning(Kind::MoveCursor, -1, 0);
    case Key::Right: return meaning(Kind::MoveCursor, 1, 0);
    case Key::Up: return meaning(Kind::MoveCursor, 0, -1);
    case Key::Down: return meaning(Kind::MoveCursor, 0, 1);
    case Key::Space:
    case Key::Enter: return meaning(Kind::Place);
    case Key::Delete:
    case Key::Backspace: return meaning(Kind::Discard);
    case Key::Minus: return meaning(Kind::Palette, 0, 0, 10);
    case Key::Equal:
    case Key::Caret: return meaning(Kind::Palette, 0, 0, 11);
    case Key::F1: return meaning(Kind::Shortcut, 0, 0, -1, "F1");
    case Key::F2: return meaning(Kind::Shortcut, 0, 0, -1, "F2");
    case Key::F3: return meaning(Kind::Shortcut, 0, 0, -1, "F3");
    default: break;
    }
    return meaning(Kind::Palette, 0, 0, static_cast<int>(key) - static_cast<int>(Key::Digit0));
}

std::optional<Key> browserKey(std::string_view name)
{
    for (const auto& [browserName, key] : kBrowserNames) {
        if (browserName == name) {
            return key;
        }
    }
    return std::nullopt;
}

int steppedCell(int cell, int dx, int dy)
{
    const int row = std::clamp(cell / kSide + dy, 0, kSide - 1);
    const int column = std::clamp(cell % kSide + dx, 0, kSide - 1);
    return row * kSide + column;
}

} // namespace tavrin::game
