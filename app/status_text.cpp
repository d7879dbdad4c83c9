#include "app/status_text.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace tavrin::app {

StatusText::StatusText(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    // A long text (a path, say) never widens the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusText::showText(const QString& text)
{
    setText(text);
    refreshToolTip();
}

QString StatusText::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void StatusText::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}

void StatusText::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    refreshToolTip();
}

void StatusText::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        refreshToolTip();
    }
}

void StatusText::refreshToolTip()
{
    const QString whole = shownText() == text() ? QString() : text();
    if (toolTip() != whole) {
        setToolTip(whole);
    }
}

} // namespace tavrin::app
