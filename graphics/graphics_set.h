// The four replaceable pictures the tiles are drawn from, with their built-in
// defaults and the size rules each must meet.
#pragma once

#include "engine/ui_text.h"

#include <QImage>
#include <QString>

namespace tavrin::graphics {

enum GraphicsKind : int {
    kHyperRoadSheet = 0,
    kNormalBackground = 1,
    kGoalBackground = 2,
    kItemStrip = 3,
};
inline constexpr int kGraphicsKinds = 4;

inline constexpr int kSheetWidth = 352;
inline constexpr int kSheetHeight = 128;
inline constexpr int kItemStripHeight = 64;
inline constexpr int kMinItemKinds = 2;
inline constexpr int kMaxItemKinds = 5;

// "ハイパーロード", "通常の背景", "目標達成時の背景", "アイテム" for 0..3, "" otherwise.
Text graphicsKindName(int k);

// Exactly 352 x 128 pixels.
bool isValidSheet(const QImage& image);
// 64 pixels high, a whole number of 32-pixel columns, 2 to 5 of them.
bool isValidItemStrip(const QImage& image);

// File names of the built-in pictures in the program folder.
QString builtinFileName(int kind);

struct GraphicsSet {
    // Current pictures (always Format_RGB32).
    QImage hyperRoadSheet;
    QImage normalBackground;
    QImage goalBackground;
    QImage itemStrip;

    // Built-in defaults.
    QImage builtinSheet;
    QImage builtinNormalBackground;
    QImage builtinGoalBackground;
    QImage builtinItemStrip;

    // Built-in pictures read from `folder` (see builtinFileName); any that is
    // missing or does not meet its rule is replaced by a plain drawn one, so
    // the set is always usable. All current pictures start as the built-ins.
    static GraphicsSet load(const QString& folder);
    // The plain drawn pictures alone (tests, or no program folder).
    static GraphicsSet fallback();

    QImage& current(int kind);
    const QImage& current(int kind) const;
    const QImage& builtin(int kind) const;
    void useBuiltin(int kind);

    // Number of items in the current item picture (width / 32).
    int itemCount() const { return itemStrip.width() / 32; }
};

// Plain drawn stand-ins for the built-in pictures, in their exact sizes.
QImage drawFallbackSheet();
QImage drawFallbackBackground(bool goal);
QImage drawFallbackItems();

} // namespace tavrin::graphics
