#include "road_art.h"

#include "engine/pieces.h"
#include "noise.h"
#include "sprite.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tavrin::assets {

namespace {

constexpr double kCentre = 16.0;
constexpr double kVergeHalf = 9.0;  // verge: 18 pixels wide
constexpr double kRoadHalf = 8.0;   // tarmac: 16 pixels wide
constexpr double kLineOuter = 7.0;  // edge lines fill the pixel columns 9 and 22
constexpr double kLineInner = 6.0;
constexpr double kFillet = 3.0;     // inner corner rounding at the road edge

bool open(int code, int dir) { return tavrin::opensSide(code, dir); }

bool isCurve(int code) { return code >= 2 && code <= 5; }

// The corner a curve bends around.
QPointF curveCorner(int code)
{
    if (open(code, kLeft) && open(code, kUp)) return {0, 0};
    if (open(code, kUp) && open(code, kRight)) return {32, 0};
    if (open(code, kRight) && open(code, kDown)) return {32, 32};
    return {0, 32};
}

// The area of the road band of half-width h. Bands of different h share
// their centre lines and corner centres, so they nest like kerbs and lines.
QPainterPath roadShape(int code, double h)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (isCurve(code)) {
        const QPointF c = curveCorner(code);
        QPainterPath outer;
        outer.addEllipse(c, kCentre + h, kCentre + h);
        QPainterPath inner;
        inner.addEllipse(c, kCentre - h, kCentre - h);
        return outer.subtracted(inner);
    }
    const double c = kCentre;
    path.addRect(QRectF(c - h, c - h, 2 * h, 2 * h));
    if (open(code, kUp)) path.addRect(QRectF(c - h, -2, 2 * h, c + 2));
    if (open(code, kDown)) path.addRect(QRectF(c - h, c, 2 * h, c + 2));
    if (open(code, kLeft)) path.addRect(QRectF(-2, c - h, c + 2, 2 * h));
    if (open(code, kRight)) path.addRect(QRectF(c, c - h, c + 2, 2 * h));

    // Round the inner corners where two roads meet at a right angle.
    const double r = kFillet + (kRoadHalf - h);
    struct Corner { int a, b; double sx, sy; };
    const Corner corners[] = {{kUp, kLeft, -1, -1}, {kUp, kRight, 1, -1},
                              {kDown, kLeft, -1, 1}, {kDown, kRight, 1, 1}};
    for (const Corner& k : corners) {
        if (!open(code, k.a) || !open(code, k.b)) continue;
        const QPointF p(c + k.sx * h, c + k.sy * h);
        const QPointF far(p.x() + k.sx * r, p.y() + k.sy * r);
        QPainterPath square;
        square.addRect(QRectF(p, far).normalized());
        QPainterPath round;
        round.addEllipse(far, r, r);
        path.addPath(square.subtracted(round));
    }
    return path.simplified();
}

// A fixed tarmac grain shared by all pieces, so joined roads match.
QImage tarmacGrain(const RoadLook& look)
{
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double n = latticeValue(x, y, 77) - 0.5;
            const double blend = tiledNoise(x, y, 32, 4, 31);
            const auto mix = [&](int a, int b) {
                const double v = a + (b - a) * blend * 0.6 + n * 14.0;
                return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
            };
            img.setPixel(x, y, qRgb(mix(look.tarmac.red(), look.tarmacShine.red()),
                                    mix(look.tarmac.green(), look.tarmacShine.green()),
                                    mix(look.tarmac.blue(), look.tarmacShine.blue())));
        }
    }
    return img;
}

void paintCentreLine(QPainter& p, int code, const RoadLook& look)
{
    // Junctions carry no centre line.
    if (code >= 6) return;
    p.setBrush(Qt::NoBrush);
    if (isCurve(code)) {
        // The quarter arc is about 25 pixels long: a 4-pixel gap at each end
        // (matching the straights) and two dashes between.
        const double w = 1.7;
        QPen pen(look.centreLine, w, Qt::CustomDashLine, Qt::FlatCap);
        const double arc = std::acos(-1.0) * kCentre / 2.0;
        const double gap = 3.5;
        const double dash = (arc - 8.0 - gap) / 2.0;
        pen.setDashPattern({dash / w, gap / w, dash / w, 8.0 / w});
        pen.setDashOffset((2.0 * dash + gap + 4.0) / w);
        p.setPen(pen);
        const QPointF c = curveCorner(code);
        // Qt angles run anticlockwise; start at one tile edge and sweep a
        // quarter turn clockwise to the other.
        const double qtStart = c.x() == 0 ? (c.y() == 0 ? 0.0 : 90.0) : (c.y() == 0 ? 270.0 : 180.0);
        QPainterPath arcPath;
        const QRectF box(c.x() - kCentre, c.y() - kCentre, 2 * kCentre, 2 * kCentre);
        arcPath.arcMoveTo(box, qtStart);
        arcPath.arcTo(box, qtStart, -90.0);
        p.drawPath(arcPath);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(look.centreLine);
    for (double s : {4.0, 20.0}) {
        if (code == 0) p.drawRect(QRectF(s, 15, 8, 2));
        else p.drawRect(QRectF(15, s, 2, 8));
    }
}

} // namespace

RoadLook plainRoadLook()
{
    return {QColor(74, 58, 42), QColor(70, 72, 78), QColor(88, 90, 96),
            QColor(206, 204, 190), QColor(196, 160, 62)};
}

RoadLook litRoadLook()
{
    return {QColor(92, 184, 72), QColor(104, 110, 122), QColor(132, 138, 150),
            QColor(255, 255, 255), QColor(255, 214, 58)};
}

void paintRoad(QPainter& p, int code, const RoadLook& look, bool grain)
{
    if (!tavrin::isPiece(code)) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);

    p.setBrush(look.verge);
    p.drawPath(roadShape(code, kVergeHalf));

    QBrush tarmac;
    if (grain) {
        tarmac = QBrush(tarmacGrain(look));
    } else {
        QLinearGradient g(0, 0, 32, 32);
        g.setColorAt(0.0, look.tarmacShine);
        g.setColorAt(1.0, look.tarmac);
        tarmac = QBrush(g);
    }
    p.setBrush(tarmac);
    p.drawPath(roadShape(code, kRoadHalf));

    p.setBrush(look.edgeLine);
    p.drawPath(roadShape(code, kLineOuter));
    p.setBrush(tarmac);
    p.drawPath(roadShape(code, kLineInner));

    paintCentreLine(p, code, look);
    p.restore();
}

QImage makeRoadSheet()
{
    QImage sheet(11 * kTile, 4 * kTile, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    const RoadLook looks[2] = {plainRoadLook(), litRoadLook()};
    for (int lit = 0; lit < 2; ++lit) {
        for (int code = 0; code < tavrin::kPieceKinds; ++code) {
            QImage sprite = emptySprite();
            {
                QPainter p(&sprite);
                paintRoad(p, code, looks[lit], true);
            }
            const int x = code * kTile;
            const int y = lit * 2 * kTile;
            putSprite(sheet, sprite, {x, y}, {x, y + kTile});
        }
    }
    return sheet;
}

} // namespace tavrin::assets
