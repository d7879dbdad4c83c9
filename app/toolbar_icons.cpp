#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tavrin::app {

namespace {

constexpr int S = kToolbarIconSize;

QPixmap paint(const std::function<void(QPainter&)>& draw, int size = S)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

const QColor kInk(40, 48, 60);
const QColor kRoad(120, 110, 100);
const QColor kGreen(60, 160, 70);
const QColor kPaper(250, 250, 240);

void page(QPainter& p, int fold = 6)
{
    QPainterPath path;
    path.moveTo(5, 2);
    path.lineTo(S - 5 - fold, 2);
    path.lineTo(S - 5, 2 + fold);
    path.lineTo(S - 5, S - 2);
    path.lineTo(5, S - 2);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(S - 5 - fold, 2), QPointF(S - 5 - fold, 2 + fold));
    p.drawLine(QPointF(S - 5 - fold, 2 + fold), QPointF(S - 5, 2 + fold));
}

// A little road tile: the game's own mark for "hyper road".
void roadTile(QPainter& p, QRectF r, QColor ground, bool cross)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(ground);
    p.drawRect(r);
    p.setPen(QPen(kRoad, r.width() / 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    if (cross) {
        p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    }
}

void arrow(QPainter& p, QPointF from, QPointF to, QColor color = kInk)
{
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) {
        return;
    }
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to + u * 2 << to - u * 5 + n * 4 << to - u * 5 - n * 4;
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void turnArrow(QPainter& p, bool clockwise)
{
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF r(4, 4, S - 8, S - 8);
    p.drawArc(r, (clockwise ? 200 : -20) * 16, (clockwise ? -250 : 250) * 16);
    const QPointF tip = clockwise ? QPointF(S / 2.0 - 4, 4) : QPointF(S / 2.0 + 4, 4);
    QPolygonF head;
    if (clockwise) {
        head << tip + QPointF(5, 0) << tip + QPointF(-1, -4) << tip + QPointF(-1, 4);
    } else {
        head << tip + QPointF(-5, 0) << tip + QPointF(1, -4) << tip + QPointF(1, 4);
    }
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void scissors(QPainter& p)
{
    p.setPen(QPen(kInk, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 14, 7, 7));
    p.drawEllipse(QRectF(14, 14, 7, 7));
    p.drawLine(QPointF(8.5, 15), QPointF(17, 3));
    p.drawLine(QPointF(15.5, 15), QPointF(7, 3));
}

void copies(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 3, 12, 14));
    p.drawRect(QRectF(9, 7, 12, 14));
    roadTile(p, QRectF(11, 10, 8, 8), QColor(200, 230, 190), false);
}

void clipboard(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(200, 160, 100));
    p.drawRoundedRect(QRectF(4, 4, 16, 18), 2, 2);
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(QRectF(9, 2, 6, 4));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 8, 10, 11));
}

void trashCan(QPainter& p, double scale, bool full)
{
    p.save();
    p.scale(scale, scale);
    p.setPen(QPen(kInk, 1.2));
    if (full) {
        p.setBrush(QColor(160, 140, 110));
        p.drawEllipse(QRectF(6, 3, 12, 6));
    }
    p.setBrush(QColor(170, 180, 190));
    p.drawRect(QRectF(4, 6, 16, 3));
    QPolygonF can;
    can << QPointF(6, 9) << QPointF(18, 9) << QPointF(16.5, 22) << QPointF(7.5, 22);
    p.setBrush(QColor(200, 208, 216));
    p.drawPolygon(can);
    p.drawLine(QPointF(10, 11), QPointF(10.5, 20));
    p.drawLine(QPointF(14, 11), QPointF(13.5, 20));
    p.restore();
}

void floppy(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(60, 90, 160));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void folder(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath path;
    path.moveTo(2, 6);
    path.lineTo(9, 6);
    path.lineTo(11, 8);
    path.lineTo(21, 8);
    path.lineTo(21, 20);
    path.lineTo(2, 20);
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(QColor(250, 220, 120));
    QPolygonF flap;
    flap << QPointF(4, 11) << QPointF(23, 11) << QPointF(21, 20) << QPointF(2, 20);
    p.drawPolygon(flap);
}

void undoArrow(QPainter& p)
{
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(7, 10);
    path.cubicTo(14, 4, 22, 8, 20, 15);
    path.cubicTo(19, 19, 14, 20, 11, 19);
    p.drawPath(path);
    QPolygonF head;
    head << QPointF(3, 12) << QPointF(9, 5) << QPointF(10, 13);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void leaf(QPainter& p)
{
    p.setPen(QPen(kGreen.darker(140), 1.2));
    p.setBrush(kGreen);
    QPainterPath path;
    path.moveTo(4, 20);
    path.cubicTo(4, 8, 12, 3, 21, 3);
    path.cubicTo(21, 13, 15, 20, 4, 20);
    p.drawPath(path);
    p.drawLine(QPointF(4, 20), QPointF(15, 9));
}

void joinedTiles(QPainter& p)
{
    const QColor ground(210, 225, 200);
    roadTile(p, QRectF(2, 7, 10, 10), ground, false);
    roadTile(p, QRectF(12, 7, 10, 10), ground, true);
}

void loop(QPainter& p)
{
    p.setPen(QPen(kRoad, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 4, 16, 16), 6, 6);
    p.setPen(QPen(QColor(250, 230, 90), 1, Qt::DashLine));
    p.drawRoundedRect(QRectF(4, 4, 16, 16), 6, 6);
}

void pencil(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(240, 190, 60));
    QPolygonF body;
    body << QPointF(16, 3) << QPointF(21, 8) << QPointF(8, 21) << QPointF(3, 16);
    p.drawPolygon(body);
    p.setBrush(QColor(240, 220, 190));
    QPolygonF tip;
    tip << QPointF(3, 16) << QPointF(8, 21) << QPointF(2, 22);
    p.drawPolygon(tip);
}

void playTriangle(QPainter& p)
{
    p.setPen(QPen(kGreen.darker(150), 1.2));
    p.setBrush(kGreen);
    QPolygonF tri;
    tri << QPointF(6, 4) << QPointF(20, 12) << QPointF(6, 20);
    p.drawPolygon(tri);
}

void trophy(QPainter& p)
{
    p.setPen(QPen(QColor(140, 100, 20), 1.2));
    p.setBrush(QColor(240, 200, 60));
    QPainterPath cup;
    cup.moveTo(6, 3);
    cup.lineTo(18, 3);
    cup.cubicTo(18, 12, 15, 14, 12, 14);
    cup.cubicTo(9, 14, 6, 12, 6, 3);
    p.drawPath(cup);
    p.drawRect(QRectF(10.5, 14, 3, 4));
    p.drawRect(QRectF(7, 18, 10, 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2, 4, 6, 6), 90 * 16, 180 * 16);
    p.drawArc(QRectF(16, 4, 6, 6), 90 * 16, -180 * 16);
}

void helpMark(QPainter& p)
{
    p.setPen(QPen(QColor(30, 80, 160), 1.2));
    p.setBrush(QColor(90, 150, 230));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
}

// A light bulb over a road tile: the hint.
void bulb(QPainter& p)
{
    roadTile(p, QRectF(3, 15, 18, 7), QColor(210, 225, 200), false);
    p.setPen(QPen(QColor(150, 110, 10), 1.2));
    p.setBrush(QColor(255, 225, 80));
    p.drawEllipse(QRectF(6, 1, 12, 12));
    p.setBrush(QColor(170, 175, 185));
    p.drawRect(QRectF(9, 12, 6, 3));
    p.setPen(QPen(QColor(200, 140, 0), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 9), QPointF(12, 5.5));
    p.drawLine(QPointF(12, 5.5), QPointF(13.5, 9));
}

void newPuzzle(QPainter& p)
{
    page(p);
    const QColor ground(210, 225, 200);
    roadTile(p, QRectF(8, 10, 8, 8), ground, true);
}

void mirror(QPainter& p, bool topBottom)
{
    p.save();
    if (topBottom) {
        p.translate(S / 2.0, S / 2.0);
        p.rotate(90);
        p.translate(-S / 2.0, -S / 2.0);
    }
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(QPointF(S / 2.0, 1), QPointF(S / 2.0, S - 1));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(120, 170, 220));
    QPolygonF left;
    left << QPointF(10, 5) << QPointF(10, 19) << QPointF(3, 19);
    p.drawPolygon(left);
    p.setBrush(Qt::NoBrush);
    QPolygonF right;
    right << QPointF(14, 5) << QPointF(14, 19) << QPointF(21, 19);
    p.drawPolygon(right);
    p.restore();
}

void shift(QPainter& p, QPointF dir)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(225, 232, 215));
    p.drawRect(QRectF(3, 3, 18, 18));
    const QPointF c(S / 2.0, S / 2.0);
    arrow(p, c - dir * 6, c + dir * 6, QColor(30, 90, 170));
}

} // namespace

QIcon mainToolbarIcon(int image)
{
    std::function<void(QPainter&)> draw;
    switch (image) {
    case 1: draw = [](QPainter& p) { page(p); leaf(p); }; break;
    case 2: draw = folder; break;
    case 3: draw = scissors; break;
    case 4: draw = copies; break;
    case 5: draw = clipboard; break;
    case 6: draw = [](QPainter& p) { trashCan(p, 1.0, false); }; break;
    case 7: draw = floppy; break;
    case 8: draw = undoArrow; break;
    case 10: draw = leaf; break;
    case 11: draw = joinedTiles; break;
    case 12: draw = loop; break;
    case 14: draw = pencil; break;
    case 15: draw = playTriangle; break;
    case 17: draw = trophy; break;
    case 18: draw = helpMark; break;
    case 19: draw = newPuzzle; break;
    case 20: draw = bulb; break;
    default: return {};
    }
    return QIcon(paint(draw));
}

QIcon boardToolbarIcon(int button)
{
    std::function<void(QPainter&)> draw;
    switch (button) {
    case 2: draw = [](QPainter& p) { mirror(p, true); }; break;
    case 3: draw = [](QPainter& p) { mirror(p, false); }; break;
    case 5: draw = [](QPainter& p) { turnArrow(p, false); }; break;
    case 6: draw = [](QPainter& p) { turnArrow(p, true); }; break;
    case 8: draw = [](QPainter& p) { shift(p, QPointF(-1, 0)); }; break;
    case 9: draw = [](QPainter& p) { shift(p, QPointF(0, -1)); }; break;
    case 10: draw = [](QPainter& p) { shift(p, QPointF(0, 1)); }; break;
    case 11: draw = [](QPainter& p) { shift(p, QPointF(1, 0)); }; break;
    default: return {};
    }
    return QIcon(paint(draw));
}

QPixmap eraserPixmap(bool lit)
{
    return paint(
        [lit](QPainter& p) {
            p.fillRect(QRectF(0, 0, 32, 32), lit ? QColor(236, 236, 228) : QColor(200, 200, 196));
            p.translate(16, 16);
            p.rotate(-35);
            p.setPen(QPen(lit ? kInk : QColor(130, 130, 130), 1.2));
            p.setBrush(lit ? QColor(240, 130, 150) : QColor(170, 160, 162));
            p.drawRoundedRect(QRectF(-11, -6, 13, 12), 2, 2);
            p.setBrush(lit ? QColor(245, 245, 250) : QColor(214, 214, 214));
            p.drawRoundedRect(QRectF(2, -6, 9, 12), 2, 2);
        },
        32);
}

QPixmap trashPixmap(bool full)
{
    return paint([full](QPainter& p) { trashCan(p, 32.0 / S, full); }, 32);
}

} // namespace tavrin::app
