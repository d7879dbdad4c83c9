// The one place where a Text becomes what the screen shows: marked texts in
// the language chosen for the program (Qt's translators installed on the
// application), data exactly as given.
#pragma once

#include "engine/ui_text.h"

#include <QString>

namespace tavrin::graphics {

QString screenText(const Text& text);
QString screenText(const Phrase& phrase);

} // namespace tavrin::graphics
