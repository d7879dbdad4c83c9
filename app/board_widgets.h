// The picture surfaces of the window: the 8 x 8 board, single tiles (the
// offered piece and the palette entries) and the trash.
#pragma once

#include <QImage>
#include <QWidget>

namespace tavrin::app {

// Shows the renderer's 256 x 256 board image and maps the mouse to cells.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void setImage(const QImage* image) { image_ = image; }
    // The cell under a point of the widget, or -1 outside the board.
    static int cellAt(QPoint point);
    // The centre of a cell, in widget coordinates.
    static QPoint cellCentre(int cell);

    QSize sizeHint() const override { return {256, 256}; }

signals:
    void cellReleased(int cell);
    void cellHovered(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const QImage* image_ = nullptr;
};

// One 32 x 32 tile: the offered-piece panel or a palette entry.
class TileView : public QWidget {
    Q_OBJECT
public:
    explicit TileView(int index, QWidget* parent = nullptr);

    void setImage(const QImage* image) { image_ = image; update(); }
    void setPixmap(const QPixmap& pixmap) { pixmap_ = pixmap; update(); }
    void setBorder(bool border) { border_ = border; update(); }
    bool border() const { return border_; }
    int index() const { return index_; }

    QSize sizeHint() const override { return {36, 36}; }

signals:
    void pressed(int index, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int index_;
    const QImage* image_ = nullptr;
    QPixmap pixmap_;
    bool border_ = false;
};

// The trash of the free game: empty or full picture; a release discards.
class TrashView : public QWidget {
    Q_OBJECT
public:
    explicit TrashView(QWidget* parent = nullptr);

    void setFull(bool full);
    bool full() const { return full_; }
    QSize sizeHint() const override { return {36, 36}; }

signals:
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool full_ = false;
    QPixmap empty_;
    QPixmap filled_;
};

} // namespace tavrin::app
