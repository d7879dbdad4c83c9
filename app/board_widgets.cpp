#include "app/board_widgets.h"

#include "app/toolbar_icons.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavrin::app {

namespace {
constexpr int kTile = 32;
constexpr int kSide = 8;
} // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kTile * kSide, kTile * kSide);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int BoardView::cellAt(QPoint point)
{
    if (point.x() < 0 || point.y() < 0 || point.x() >= kTile * kSide || point.y() >= kTile * kSide) {
        return -1;
    }
    return (point.y() / kTile) * kSide + point.x() / kTile;
}

QPoint BoardView::cellCentre(int cell)
{
    return {(cell % kSide) * kTile + kTile / 2, (cell / kSide) * kTile + kTile / 2};
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (image_ != nullptr && !image_->isNull()) {
        p.drawImage(0, 0, *image_);
    } else {
        p.fillRect(rect(), palette().window());
    }
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const int cell = cellAt(event->position().toPoint());
    if (cell >= 0) {
        emit cellReleased(cell);
    }
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    const int cell = cellAt(event->position().toPoint());
    if (cell >= 0) {
        emit cellHovered(cell);
    }
}

TileView::TileView(int index, QWidget* parent) : QWidget(parent), index_(index)
{
    setFixedSize(kTile + 4, kTile + 4);
}

void TileView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!pixmap_.isNull()) {
        p.drawPixmap(2, 2, pixmap_);
    } else if (image_ != nullptr && !image_->isNull()) {
        p.drawImage(2, 2, *image_);
    }
    if (border_) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(QRect(0, 0, width() - 1, height() - 1));
    }
}

void TileView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(index_, event->modifiers());
}

TrashView::TrashView(QWidget* parent)
    : QWidget(parent), empty_(trashPixmap(false)), filled_(trashPixmap(true))
{
    setFixedSize(kTile + 4, kTile + 4);
}

void TrashView::setFull(bool full)
{
    full_ = full;
    update();
}

void TrashView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(2, 2, full_ ? filled_ : empty_);
}

void TrashView::mouseReleaseEvent(QMouseEvent*)
{
    emit released();
}

} // namespace tavrin::app
