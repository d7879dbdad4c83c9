// The four replaceable pictures the tiles are drawn from, with their built-in
// defaults and the size rules each must meet. Plain pixels: the game window
// fills them from its own picture loader, other front ends from the bundled
// files (picture_files.h).
#pragma once

#include "engine/ui_text.h"
#include "graphics/pixel_buffer.h"

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
bool isValidSheet(const PixelBuffer& image);
// 64 pixels high, a whole number of 32-pixel columns, 2 to 5 of them.
bool isValidItemStrip(const PixelBuffer& image);
// Whether `image` may be the built-in picture of `kind`: the rule above for
// the sheet and the items, any non-empty picture for the backgrounds.
bool fitsKind(int kind, const PixelBuffer& image);

// File names of the built-in pictures in the program folder ("" for other kinds).
const char* builtinFileName(int kind);

struct GraphicsSet {
    // Current pictures.
    PixelBuffer hyperRoadSheet;
    PixelBuffer normalBackground;
    PixelBuffer goalBackground;
    PixelBuffer itemStrip;

    // Built-in defaults.
    PixelBuffer builtinSheet;
    PixelBuffer builtinNormalBackground;
    PixelBuffer builtinGoalBackground;
    PixelBuffer builtinItemStrip;

    // The plain drawn pictures alone (tests, or no program folder).
    static GraphicsSet fallback();

    // Makes `image` the built-in and current picture of `kind` when it fits
    // the kind (fitsKind); false, and nothing changed, otherwise.
    bool adoptBuiltin(int kind, PixelBuffer image);

    PixelBuffer& current(int kind);
    const PixelBuffer& current(int kind) const;
    const PixelBuffer& builtin(int kind) const;
    void useBuiltin(int kind);

    // Number of items in the current item picture (width / 32).
    int itemCount() const { return itemStrip.width() / 32; }
};

// Plain drawn stand-ins for the built-in pictures, in their exact sizes.
PixelBuffer drawFallbackSheet();
PixelBuffer drawFallbackBackground(bool goal);
PixelBuffer drawFallbackItems();

} // namespace tavrin::graphics
