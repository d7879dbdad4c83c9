#include "app/board_widgets.h"

#include "app/board_keys.h"
#include "app/toolbar_icons.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tavrin::app {

namespace {

constexpr int kTile = 32;
constexpr int kSide = 8;
constexpr int kCells = kSide * kSide;
constexpr int kTileMargin = 2; // around a single tile, at zoom 1
constexpr qreal kNotOfferedOpacity = 0.3;

int clampZoom(int zoom)
{
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

// A square frame of `width` pixels inside `r`, drawn with whole pixels.
void frame(QPainter& p, const QRect& r, int width, const QColor& colour)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
    p.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
    p.fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
    p.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), colour);
}

// Pictures are scaled pixel for pixel: no smoothing at any zoom.
void crisp(QPainter& p)
{
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

// --- the board ---------------------------------------------------------------------

BoardView::BoardView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kTile * kSide, kTile * kSide);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardView::setZoom(int zoom)
{
    zoom_ = clampZoom(zoom);
    setFixedSize(kTile * kSide * zoom_, kTile * kSide * zoom_);
    updateGeometry();
    update();
}

QSize BoardView::sizeHint() const
{
    return {kTile * kSide * zoom_, kTile * kSide * zoom_};
}

int BoardView::cellAt(QPoint point, int zoom)
{
    const int tile = kTile * clampZoom(zoom);
    if (point.x() < 0 || point.y() < 0 || point.x() >= tile * kSide || point.y() >= tile * kSide) {
        return -1;
    }
    return (point.y() / tile) * kSide + point.x() / tile;
}

QPoint BoardView::cellCentre(int cell, int zoom)
{
    const int tile = kTile * clampZoom(zoom);
    return {(cell % kSide) * tile + tile / 2, (cell / kSide) * tile + tile / 2};
}

QRect BoardView::cellRect(int cell) const
{
    const int tile = kTile * zoom_;
    return {(cell % kSide) * tile, (cell / kSide) * tile, tile, tile};
}

void BoardView::updateCell(int cell)
{
    if (cell >= 0 && cell < kCells) {
        update(cellRect(cell));
    }
}

void BoardView::setCursor(int cell, bool shown)
{
    const int next = std::clamp(cell, 0, kCells - 1);
    if (next == cursor_ && shown == cursorShown_) {
        return;
    }
    if (cursorShown_) {
        updateCell(cursor_);
    }
    cursor_ = next;
    cursorShown_ = shown;
    if (cursorShown_) {
        updateCell(cursor_);
    }
}

void BoardView::setHintCell(int cell)
{
    const int next = cell >= 0 && cell < kCells ? cell : -1;
    if (next == hint_) {
        return;
    }
    updateCell(hint_);
    hint_ = next;
    updateCell(hint_);
}

bool BoardView::handleKey(QKeyEvent* event)
{
    const std::optional<game::Key> key = boardKey(event->key(), event->modifiers());
    if (!key) {
        return false;
    }
    emit keyPressed(*key);
    return true;
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    crisp(p);
    if (image_ != nullptr && !image_->isNull()) {
        p.drawImage(QRect(0, 0, kTile * kSide * zoom_, kTile * kSide * zoom_), *image_);
    } else {
        p.fillRect(rect(), palette().window());
    }
    if (hint_ >= 0) {
        // Orange inside a dark rim: seen on light and dark grounds alike.
        const QRect r = cellRect(hint_);
        frame(p, r, zoom_, QColor(60, 30, 0));
        frame(p, r.adjusted(zoom_, zoom_, -zoom_, -zoom_), 2 * zoom_, QColor(255, 150, 20));
    }
    if (cursorShown_) {
        const QRect r = cellRect(cursor_);
        frame(p, r, zoom_, Qt::black);
        frame(p, r.adjusted(zoom_, zoom_, -zoom_, -zoom_), zoom_, Qt::white);
        frame(p, r.adjusted(2 * zoom_, 2 * zoom_, -2 * zoom_, -2 * zoom_), zoom_, Qt::black);
    }
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const int cell = cellAt(event->position().toPoint(), zoom_);
    if (cell >= 0) {
        emit cellReleased(cell);
    }
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const int cell = cellAt(at, zoom_);
    // Only a mouse that really moved takes over from the keyboard.
    if (cell < 0 || at == lastMouse_) {
        return;
    }
    lastMouse_ = at;
    emit cellHovered(cell);
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    if (handleKey(event)) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

// --- single tiles ------------------------------------------------------------------

TileView::TileView(int index, QWidget* parent) : QWidget(parent), index_(index)
{
    setFixedSize(kTile + 2 * kTileMargin, kTile + 2 * kTileMargin);
}

void TileView::setZoom(int zoom)
{
    zoom_ = clampZoom(zoom);
    setFixedSize(sizeHint());
    updateGeometry();
    update();
}

QSize TileView::sizeHint() const
{
    const int side = (kTile + 2 * kTileMargin) * zoom_;
    return {side, side};
}

void TileView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    crisp(p);
    p.fillRect(rect(), palette().window());
    const QRect target(kTileMargin * zoom_, kTileMargin * zoom_, kTile * zoom_, kTile * zoom_);
    // A palette entry that is not offered fades into the panel, so that the
    // one shape to take stands out.
    if (testAttribute(Qt::WA_ForceDisabled)) {
        p.setOpacity(kNotOfferedOpacity);
    }
    if (!pixmap_.isNull()) {
        p.drawPixmap(target, pixmap_);
    } else if (image_ != nullptr && !image_->isNull()) {
        p.drawImage(target, *image_);
    }
    p.setOpacity(1.0);
    if (border_) {
        frame(p, rect(), zoom_, Qt::black);
    }
}

void TileView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(index_, event->modifiers());
}

// --- the puzzle number -------------------------------------------------------------

QString PuzzleNumberBox::textFromValue(int value) const
{
    return QString::number(value + 1);
}

int PuzzleNumberBox::valueFromText(const QString& text) const
{
    return text.toInt() - 1;
}

QValidator::State PuzzleNumberBox::validate(QString& text, int& /*pos*/) const
{
    if (text.isEmpty()) {
        return QValidator::Intermediate;
    }
    bool ok = false;
    const int value = text.toInt(&ok) - 1;
    if (!ok || text.startsWith(u'+') || text.startsWith(u'-')) {
        return QValidator::Invalid;
    }
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

// --- the trash ---------------------------------------------------------------------

TrashView::TrashView(QWidget* parent)
    : QWidget(parent), empty_(trashPixmap(false)), filled_(trashPixmap(true))
{
    setFixedSize(kTile + 2 * kTileMargin, kTile + 2 * kTileMargin);
}

void TrashView::setFull(bool full)
{
    full_ = full;
    update();
}

void TrashView::setZoom(int zoom)
{
    zoom_ = clampZoom(zoom);
    setFixedSize(sizeHint());
    updateGeometry();
    update();
}

QSize TrashView::sizeHint() const
{
    const int side = (kTile + 2 * kTileMargin) * zoom_;
    return {side, side};
}

void TrashView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    crisp(p);
    p.drawPixmap(QRect(kTileMargin * zoom_, kTileMargin * zoom_, kTile * zoom_, kTile * zoom_),
                 full_ ? filled_ : empty_);
}

void TrashView::mouseReleaseEvent(QMouseEvent*)
{
    emit released();
}

} // namespace tavrin::app
