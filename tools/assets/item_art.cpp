#include "item_art.h"

#include "sprite.h"

#include <QPainterPath>

#include <cmath>

namespace tavrin::assets {

namespace {

void paintWater(QPainter& p)
{
    QPainterPath drop;
    drop.moveTo(16, 2.5);
    drop.cubicTo(18.5, 8, 25.5, 12.5, 25.5, 19.5);
    drop.arcTo(QRectF(6.5, 10, 19, 19), 0, -180);
    drop.cubicTo(6.5, 12.5, 13.5, 8, 16, 2.5);
    drop.closeSubpath();

    QRadialGradient body(QPointF(13, 15), 14, QPointF(12, 13));
    body.setColorAt(0.0, QColor(190, 235, 255));
    body.setColorAt(0.45, QColor(80, 170, 240));
    body.setColorAt(1.0, QColor(22, 92, 196));
    p.setPen(QPen(QColor(14, 52, 128), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(body);
    p.drawPath(drop);

    // Shine.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.save();
    p.translate(11.6, 17.5);
    p.rotate(18);
    p.drawEllipse(QPointF(0, 0), 1.7, 3.4);
    p.restore();
    p.drawEllipse(QPointF(13.2, 23.2), 1.0, 1.0);
}

void paintLeaf(QPainter& p, QPointF base, QPointF tip, double bulge)
{
    const QPointF d = tip - base;
    const QPointF n(-d.y(), d.x());
    QPainterPath leaf;
    leaf.moveTo(base);
    leaf.cubicTo(base + d * 0.25 + n * bulge, base + d * 0.75 + n * bulge, tip);
    leaf.cubicTo(base + d * 0.75 - n * bulge * 0.35, base + d * 0.25 - n * bulge * 0.35, base);
    leaf.closeSubpath();
    QLinearGradient g(base, tip);
    g.setColorAt(0.0, QColor(70, 160, 50));
    g.setColorAt(1.0, QColor(168, 228, 96));
    p.setPen(QPen(QColor(28, 88, 30), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(leaf);
    p.setPen(QPen(QColor(210, 245, 170, 200), 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base + d * 0.15, base + d * 0.8 + n * (bulge * 0.2));
}

void paintSprout(QPainter& p)
{
    // Soil mound.
    QPainterPath mound;
    mound.moveTo(5.5, 28.5);
    mound.cubicTo(8, 21.5, 24, 21.5, 26.5, 28.5);
    mound.closeSubpath();
    QLinearGradient soil(0, 22, 0, 29);
    soil.setColorAt(0.0, QColor(150, 104, 62));
    soil.setColorAt(1.0, QColor(104, 68, 38));
    p.setPen(QPen(QColor(62, 38, 20), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(soil);
    p.drawPath(mound);

    // Stem.
    QPainterPath stem;
    stem.moveTo(16, 24.5);
    stem.cubicTo(16.5, 20, 15, 17, 16, 13);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(28, 88, 30), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    p.setPen(QPen(QColor(110, 190, 70), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);

    // Two leaves, the right one larger.
    paintLeaf(p, QPointF(15.6, 15), QPointF(4.5, 9.5), 0.32);
    paintLeaf(p, QPointF(16.2, 13.5), QPointF(28, 5.5), -0.3);
}

void paintSun(QPainter& p)
{
    const QPointF c(16, 16);
    const double pi = std::acos(-1.0);
    QPainterPath rays;
    for (int k = 0; k < 12; ++k) {
        const double a = k * pi / 6.0;
        const double outer = (k % 2 == 0) ? 15.0 : 12.5;
        const double half = 0.2;
        const QPointF tip(c.x() + std::cos(a) * outer, c.y() + std::sin(a) * outer);
        const QPointF l(c.x() + std::cos(a - half) * 8.5, c.y() + std::sin(a - half) * 8.5);
        const QPointF r(c.x() + std::cos(a + half) * 8.5, c.y() + std::sin(a + half) * 8.5);
        QPainterPath ray;
        ray.moveTo(l);
        ray.lineTo(tip);
        ray.lineTo(r);
        ray.closeSubpath();
        rays.addPath(ray);
    }
    p.setPen(QPen(QColor(190, 96, 16), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 190, 40));
    p.drawPath(rays.simplified());

    QRadialGradient disc(c, 8.5, QPointF(13.5, 13));
    disc.setColorAt(0.0, QColor(255, 252, 210));
    disc.setColorAt(0.5, QColor(255, 222, 80));
    disc.setColorAt(1.0, QColor(250, 160, 24));
    p.setPen(QPen(QColor(190, 96, 16), 1.4));
    p.setBrush(disc);
    p.drawEllipse(c, 8.0, 8.0);
}

} // namespace

void paintItem(QPainter& p, int kind)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (kind) {
    case 0: paintWater(p); break;
    case 1: paintSprout(p); break;
    case 2: paintSun(p); break;
    default: break;
    }
    p.restore();
}

QImage makeItemStrip()
{
    QImage strip(kItemKinds * kTile, 2 * kTile, QImage::Format_RGB32);
    strip.fill(Qt::white);
    for (int k = 0; k < kItemKinds; ++k) {
        QImage sprite = emptySprite();
        {
            QPainter p(&sprite);
            paintItem(p, k);
        }
        putSprite(strip, sprite, {k * kTile, 0}, {k * kTile, kTile});
    }
    return strip;
}

} // namespace tavrin::assets
