#include "graphics/graphics_set.h"

#include "engine/pieces.h"
#include "graphics/raster.h"

namespace tavrin::graphics {

Text graphicsKindName(int k)
{
    switch (k) {
    case kHyperRoadSheet: return TAVRIN_TEXT("graphics", "ハイパーロード");
    case kNormalBackground: return TAVRIN_TEXT("graphics", "通常の背景");
    case kGoalBackground: return TAVRIN_TEXT("graphics", "目標達成時の背景");
    case kItemStrip: return TAVRIN_TEXT("graphics", "アイテム");
    default: return Text();
    }
}

bool isValidSheet(const PixelBuffer& image)
{
    return !image.isNull() && image.width() == kSheetWidth && image.height() == kSheetHeight;
}

bool isValidItemStrip(const PixelBuffer& image)
{
    if (image.isNull() || image.height() != kItemStripHeight || image.width() % kTile != 0) {
        return false;
    }
    const int count = image.width() / kTile;
    return count >= kMinItemKinds && count <= kMaxItemKinds;
}

bool fitsKind(int kind, const PixelBuffer& image)
{
    switch (kind) {
    case kHyperRoadSheet: return isValidSheet(image);
    case kItemStrip: return isValidItemStrip(image);
    case kNormalBackground:
    case kGoalBackground: return !image.isNull();
    default: return false;
    }
}

const char* builtinFileName(int kind)
{
    switch (kind) {
    case kHyperRoadSheet: return "hyperroad.bmp";
    case kNormalBackground: return "background_normal.bmp";
    case kGoalBackground: return "background_goal.bmp";
    case kItemStrip: return "items.bmp";
    default: return "";
    }
}

GraphicsSet GraphicsSet::fallback()
{
    GraphicsSet set;
    set.builtinSheet = drawFallbackSheet();
    set.builtinNormalBackground = drawFallbackBackground(false);
    set.builtinGoalBackground = drawFallbackBackground(true);
    set.builtinItemStrip = drawFallbackItems();
    for (int k = 0; k < kGraphicsKinds; ++k) {
        set.useBuiltin(k);
    }
    return set;
}

bool GraphicsSet::adoptBuiltin(int kind, PixelBuffer image)
{
    if (!fitsKind(kind, image)) {
        return false;
    }
    switch (kind) {
    case kHyperRoadSheet: builtinSheet = std::move(image); break;
    case kNormalBackground: builtinNormalBackground = std::move(image); break;
    case kGoalBackground: builtinGoalBackground = std::move(image); break;
    default: builtinItemStrip = std::move(image); break;
    }
    useBuiltin(kind);
    return true;
}

PixelBuffer& GraphicsSet::current(int kind)
{
    switch (kind) {
    case kHyperRoadSheet: return hyperRoadSheet;
    case kNormalBackground: return normalBackground;
    case kGoalBackground: return goalBackground;
    default: return itemStrip;
    }
}

const PixelBuffer& GraphicsSet::current(int kind) const
{
    return const_cast<GraphicsSet*>(this)->current(kind);
}

const PixelBuffer& GraphicsSet::builtin(int kind) const
{
    switch (kind) {
    case kHyperRoadSheet: return builtinSheet;
    case kNormalBackground: return builtinNormalBackground;
    case kGoalBackground: return builtinGoalBackground;
    default: return builtinItemStrip;
    }
}

void GraphicsSet::useBuiltin(int kind)
{
    current(kind) = builtin(kind);
}

namespace {

// Draws the road arms of `piece` centred in the tile at `origin`.
void drawRoad(PixelBuffer& image, Point origin, int piece, Rgb colour)
{
    const int mid = kTile / 2;
    const int half = 5;
    image.fillRect(Rect{mid - half, mid - half, 2 * half, 2 * half}.translated(origin), colour);
    for (int d = 0; d < kDirections; ++d) {
        if (!opensSide(piece, d)) {
            continue;
        }
        Rect arm;
        switch (d) {
        case kUp: arm = Rect{mid - half, 0, 2 * half, mid}; break;
        case kLeft: arm = Rect{0, mid - half, mid, 2 * half}; break;
        case kRight: arm = Rect{mid, mid - half, kTile - mid, 2 * half}; break;
        default: arm = Rect{mid - half, mid, 2 * half, kTile - mid}; break;
        }
        image.fillRect(arm.translated(origin), colour);
    }
}

// A filled disc inside the square `box`: every pixel whose centre lies in it.
void fillDisc(PixelBuffer& image, Rect box, Rgb colour)
{
    const int d = box.width; // diameter, in pixels
    for (int v = 0; v < d; ++v) {
        for (int u = 0; u < d; ++u) {
            const int dx = 2 * u + 1 - d;
            const int dy = 2 * v + 1 - d;
            if (dx * dx + dy * dy <= d * d) {
                image.setPixel(box.x + u, box.y + v, colour);
            }
        }
    }
}

} // namespace

PixelBuffer drawFallbackSheet()
{
    PixelBuffer sheet(kSheetWidth, kSheetHeight, kWhitePixel);
    sheet.fillRect(Rect{0, kTile, kSheetWidth, kTile}, kBlackPixel);
    sheet.fillRect(Rect{0, 3 * kTile, kSheetWidth, kTile}, kBlackPixel);
    for (int c = 0; c < kPieceKinds; ++c) {
        drawRoad(sheet, Point{c * kTile, 0}, c, rgb(96, 96, 104));
        drawRoad(sheet, Point{c * kTile, kTile}, c, kWhitePixel);
        drawRoad(sheet, Point{c * kTile, 2 * kTile}, c, rgb(40, 160, 64));
        drawRoad(sheet, Point{c * kTile, 3 * kTile}, c, kWhitePixel);
    }
    return sheet;
}

PixelBuffer drawFallbackBackground(bool goal)
{
    return PixelBuffer(256, 256, goal ? rgb(150, 210, 120) : rgb(196, 176, 140));
}

PixelBuffer drawFallbackItems()
{
    PixelBuffer strip(3 * kTile, kItemStripHeight, kWhitePixel);
    strip.fillRect(Rect{0, kTile, strip.width(), kTile}, kBlackPixel);
    const Rgb colours[3] = {rgb(40, 110, 220), rgb(60, 170, 60), rgb(240, 180, 20)};
    for (int k = 0; k < 3; ++k) {
        const Rect spot{k * kTile + 8, 8, 16, 16};
        fillDisc(strip, spot, colours[k]);
        fillDisc(strip, spot.translated(Point{0, kTile}), kWhitePixel);
    }
    return strip;
}

} // namespace tavrin::graphics
