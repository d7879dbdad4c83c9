#include "icon_art.h"

#include "engine/pieces.h"
#include "item_art.h"
#include "land_art.h"
#include "road_art.h"
#include "sprite.h"

#include <QPainter>
#include <QPainterPath>

namespace tavrin::assets {

namespace {

constexpr int kDesign = 256; // the icon is designed on a 256-unit square

// Tile (col, row) of a picture, for a sheet cell or a piece of land.
QImage tileOf(const QImage& picture, int col, int row)
{
    return picture.copy(col * kTile, row * kTile, kTile, kTile);
}

} // namespace

QImage makeIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(static_cast<double>(size) / kDesign, static_cast<double>(size) / kDesign);

    QPainterPath frame;
    frame.addRoundedRect(QRectF(6, 6, kDesign - 12, kDesign - 12), 44, 44);
    p.save();
    p.setClipPath(frame);
    p.drawImage(QRectF(0, 0, kDesign, kDesign), makeGreenLand());

    // A crossing with its four roads running off the edges, 4 units per pixel of a tile.
    const double scale = 4.0;
    const double origin = kDesign / 2.0 - 16.0 * scale;
    const RoadLook lit = litRoadLook();
    struct Part { int code; int dx, dy; };
    const Part parts[] = {{10, 0, 0}, {0, -1, 0}, {0, 1, 0}, {1, 0, -1}, {1, 0, 1}};
    for (const Part& part : parts) {
        p.save();
        p.translate(origin + part.dx * 32.0 * scale, origin + part.dy * 32.0 * scale);
        p.scale(scale, scale);
        paintRoad(p, part.code, lit, false);
        p.restore();
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(24, 74, 28), 4));
    p.drawPath(frame);

    struct Placed { int kind; double x, y; };
    const Placed items[] = {{0, 10, 10}, {2, 170, 10}, {1, 10, 170}};
    for (const Placed& it : items) {
        p.save();
        p.translate(it.x, it.y);
        p.scale(2.4, 2.4);
        paintItem(p, it.kind);
        p.restore();
    }
    p.end();
    return icon;
}

QImage makePiecesChart(const QImage& sheet, const QImage& normalLand, const QImage& greenLand)
{
    constexpr int gap = 3;
    const int w = tavrin::kPieceKinds * (kTile + gap) + gap;
    const int h = 2 * (kTile + gap) + gap;
    QImage chart(w, h, QImage::Format_RGB32);
    chart.fill(QColor(250, 248, 240));
    QPainter p(&chart);
    for (int code = 0; code < tavrin::kPieceKinds; ++code) {
        const int x = gap + code * (kTile + gap);
        const QImage plain = maskedCopy(tileOf(normalLand, code % 8, code / 8), tileOf(sheet, code, 0),
                                        tileOf(sheet, code, 1));
        const QImage lit = maskedCopy(tileOf(greenLand, code % 8, code / 8), tileOf(sheet, code, 2),
                                      tileOf(sheet, code, 3));
        p.drawImage(x, gap, plain);
        p.drawImage(x, 2 * gap + kTile, lit);
    }
    p.end();
    return enlarged(chart, 2);
}

QImage makeItemsChart(const QImage& items, const QImage& normalLand)
{
    constexpr int gap = 3;
    const int count = items.width() / kTile;
    QImage chart(count * (kTile + gap) + gap, kTile + 2 * gap, QImage::Format_RGB32);
    chart.fill(QColor(250, 248, 240));
    QPainter p(&chart);
    for (int k = 0; k < count; ++k) {
        const QImage tile = maskedCopy(tileOf(normalLand, k + 2, 3), tileOf(items, k, 0), tileOf(items, k, 1));
        p.drawImage(gap + k * (kTile + gap), gap, tile);
    }
    p.end();
    return enlarged(chart, 2);
}

QImage makeCellChart(const QImage& picture)
{
    constexpr int gap = 2;
    const int cols = picture.width() / kTile;
    const int rows = picture.height() / kTile;
    QImage chart(cols * (kTile + gap) + gap, rows * (kTile + gap) + gap, QImage::Format_RGB32);
    chart.fill(QColor(150, 150, 150));
    QPainter p(&chart);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) p.drawImage(gap + c * (kTile + gap), gap + r * (kTile + gap), tileOf(picture, c, r));
    }
    p.end();
    return enlarged(chart, 2);
}

QImage enlarged(const QImage& image, int factor)
{
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

} // namespace tavrin::assets
