// The picture surfaces of the window: the 8 x 8 board, single tiles (the
// offered piece and the palette entries) and the trash. The game composes
// every tile at 32 x 32 pixels; these widgets show them at an integer zoom,
// pixel for pixel (nearest neighbour), so that nothing blurs.
#pragma once

#include "game/keys.h"

#include <QImage>
#include <QSpinBox>
#include <QWidget>

class QKeyEvent;

namespace tavrin::app {

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 3;

// Shows the renderer's 256 x 256 board image and maps the mouse to cells.
// The keys of keyboard play go to the game, which says where the cell cursor
// is and whether it shows. A hint mark and the cursor are drawn over the
// board image, never into it.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void setImage(const QImage* image) { image_ = image; }

    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // The cell under a point of the widget shown at `zoom`, or -1 outside the board.
    static int cellAt(QPoint point, int zoom = 1);
    // The centre of a cell, in widget coordinates at `zoom`.
    static QPoint cellCentre(int cell, int zoom = 1);
    // The area of a cell at the current zoom.
    QRect cellRect(int cell) const;

    int cursorCell() const { return cursor_; }
    bool cursorShown() const { return cursorShown_; }
    void setCursor(int cell, bool shown);

    // The hint mark, -1 for none.
    void setHintCell(int cell);
    int hintCell() const { return hint_; }

    // Reports a key of keyboard play; false when the key is not one of them.
    bool handleKey(QKeyEvent* event);

    QSize sizeHint() const override;

signals:
    void cellReleased(int cell);
    // The mouse moved over `cell`.
    void cellHovered(int cell);
    void keyPressed(tavrin::game::Key key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateCell(int cell);

    const QImage* image_ = nullptr;
    int zoom_ = 1;
    int cursor_ = 0;
    bool cursorShown_ = false;
    int hint_ = -1;
    QPoint lastMouse_{-1, -1};
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
    void setZoom(int zoom);
    int zoom() const { return zoom_; }

    QSize sizeHint() const override;

signals:
    void pressed(int index, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int index_;
    int zoom_ = 1;
    const QImage* image_ = nullptr;
    QPixmap pixmap_;
    bool border_ = false;
};

// The puzzle-number spinner. Its value is the 0-based position the editor
// works with; it shows and reads the number counted from 1, as the "1/3"
// label beside it does.
class PuzzleNumberBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

// The trash of the free game: empty or full picture; a release discards.
class TrashView : public QWidget {
    Q_OBJECT
public:
    explicit TrashView(QWidget* parent = nullptr);

    void setFull(bool full);
    bool full() const { return full_; }
    void setZoom(int zoom);
    QSize sizeHint() const override;

signals:
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool full_ = false;
    int zoom_ = 1;
    QPixmap empty_;
    QPixmap filled_;
};

} // namespace tavrin::app
