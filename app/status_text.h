// The status bar's text: a text too long for the bar is cut with "…" at its
// end and shown whole in the tool tip, instead of running off the window's
// edge. text() stays the whole text.
#pragma once

#include <QLabel>

namespace tavrin::app {

class StatusText : public QLabel {
    Q_OBJECT
public:
    explicit StatusText(QWidget* parent = nullptr);

    void showText(const QString& text);
    // What the bar shows: the text, or its start and "…".
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refreshToolTip();
};

} // namespace tavrin::app
