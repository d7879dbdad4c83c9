// The options the program answers before it opens a window: --help,
// --version and the hidden --check-data of the install checks; and the hidden
// --quit-after-first-frame of the start-up benchmark, which plays as usual but
// ends the program once the board has been painted for the first time.
// Anything else on the command line is the puzzle file to play.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdio>

namespace tavrin::app {

enum class StartupRequest { Play, Help, Version, CheckData, FirstFrame };

// What the first argument asks for; Play unless it is exactly one of the
// options above ("-h" is taken for "--help").
StartupRequest startupRequest(int argc, const char* const* argv);

// The usage text printed by --help, in the language installed.
QString usageText();
// The program's version as built, "major.minor.patch".
QString versionNumber();
// "Tavrin for Windows " + the version number.
QString versionLine();

// Answers a request other than Play: prints to `out` (and the missing data
// files to `err`) and returns the exit status. Needs a QCoreApplication for
// --check-data, which looks for the data from the program's own folder.
int answerStartupRequest(StartupRequest request, std::FILE* out, std::FILE* err);

// Ends the event loop right after `widget` has been painted the first time.
void quitAfterFirstPaint(QWidget& widget);

} // namespace tavrin::app
