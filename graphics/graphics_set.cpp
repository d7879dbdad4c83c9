#include "graphics/graphics_set.h"

#include "engine/pieces.h"
#include "graphics/raster.h"

#include <QDir>
#include <QPainter>

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

bool isValidSheet(const QImage& image)
{
    return !image.isNull() && image.width() == kSheetWidth && image.height() == kSheetHeight;
}

bool isValidItemStrip(const QImage& image)
{
    if (image.isNull() || image.height() != kItemStripHeight || image.width() % kTile != 0) {
        return false;
    }
    const int count = image.width() / kTile;
    return count >= kMinItemKinds && count <= kMaxItemKinds;
}

QString builtinFileName(int kind)
{
    switch (kind) {
    case kHyperRoadSheet: return QStringLiteral("hyperroad.bmp");
    case kNormalBackground: return QStringLiteral("background_normal.bmp");
    case kGoalBackground: return QStringLiteral("background_goal.bmp");
    case kItemStrip: return QStringLiteral("items.bmp");
    default: return QString();
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

GraphicsSet GraphicsSet::load(const QString& folder)
{
    GraphicsSet set = fallback();
    const QDir dir(folder);
    for (int k = 0; k < kGraphicsKinds; ++k) {
        const QImage image = toRgb32(QImage(dir.filePath(builtinFileName(k))));
        bool usable = !image.isNull() && image.width() > 0 && image.height() > 0;
        if (k == kHyperRoadSheet) {
            usable = isValidSheet(image);
        } else if (k == kItemStrip) {
            usable = isValidItemStrip(image);
        }
        if (!usable) {
            continue;
        }
        switch (k) {
        case kHyperRoadSheet: set.builtinSheet = image; break;
        case kNormalBackground: set.builtinNormalBackground = image; break;
        case kGoalBackground: set.builtinGoalBackground = image; break;
        default: set.builtinItemStrip = image; break;
        }
        set.useBuiltin(k);
    }
    return set;
}

QImage& GraphicsSet::current(int kind)
{
    switch (kind) {
    case kHyperRoadSheet: return hyperRoadSheet;
    case kNormalBackground: return normalBackground;
    case kGoalBackground: return goalBackground;
    default: return itemStrip;
    }
}

const QImage& GraphicsSet::current(int kind) const
{
    return const_cast<GraphicsSet*>(this)->current(kind);
}

const QImage& GraphicsSet::builtin(int kind) const
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
void drawRoad(QPainter& painter, QPoint origin, int piece, const QColor& colour)
{
    const int mid = kTile / 2;
    const int half = 5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(origin.x() + mid - half, origin.y() + mid - half, 2 * half, 2 * half);
    for (int d = 0; d < kDirections; ++d) {
        if (!opensSide(piece, d)) {
            continue;
        }
        QRect arm;
        switch (d) {
        case kUp: arm = QRect(mid - half, 0, 2 * half, mid); break;
        case kLeft: arm = QRect(0, mid - half, mid, 2 * half); break;
        case kRight: arm = QRect(mid, mid - half, kTile - mid, 2 * half); break;
        default: arm = QRect(mid - half, mid, 2 * half, kTile - mid); break;
        }
        painter.drawRect(arm.translated(origin));
    }
}

} // namespace

QImage drawFallbackSheet()
{
    QImage sheet(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(0, kTile, kSheetWidth, kTile, Qt::black);
    painter.fillRect(0, 3 * kTile, kSheetWidth, kTile, Qt::black);
    for (int c = 0; c < kPieceKinds; ++c) {
        drawRoad(painter, QPoint(c * kTile, 0), c, QColor(96, 96, 104));
        drawRoad(painter, QPoint(c * kTile, kTile), c, Qt::white);
        drawRoad(painter, QPoint(c * kTile, 2 * kTile), c, QColor(40, 160, 64));
        drawRoad(painter, QPoint(c * kTile, 3 * kTile), c, Qt::white);
    }
    return sheet;
}

QImage drawFallbackBackground(bool goal)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(goal ? QColor(150, 210, 120) : QColor(196, 176, 140));
    return image;
}

QImage drawFallbackItems()
{
    QImage strip(3 * kTile, kItemStripHeight, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    painter.fillRect(0, kTile, strip.width(), kTile, Qt::black);
    const QColor colours[3] = {QColor(40, 110, 220), QColor(60, 170, 60), QColor(240, 180, 20)};
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < 3; ++k) {
        const QRect spot(k * kTile + 8, 8, 16, 16);
        painter.setBrush(colours[k]);
        painter.drawEllipse(spot);
        painter.setBrush(Qt::white);
        painter.drawEllipse(spot.translated(0, kTile));
    }
    return strip;
}

} // namespace tavrin::graphics
