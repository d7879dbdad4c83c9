#include "graphics/screen_text.h"

#include <QCoreApplication>

namespace tavrin::graphics {

QString screenText(const Text& text)
{
    return QString::fromStdString(
        text.render([](const Phrase& phrase) { return screenText(phrase).toStdString(); }));
}

QString screenText(const Phrase& phrase)
{
    return QCoreApplication::translate(phrase.context, phrase.source);
}

} // namespace tavrin::graphics
