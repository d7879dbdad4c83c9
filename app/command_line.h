// The command line of the game in Qt strings (the reading itself is in
// game/command_line.h), and file-name helpers.
#pragma once

#include <QString>
#include <QStringList>

namespace tavrin::app {

// Splits `line` at spaces and tabs (a run of them is one separator) into at
// most `limit` arguments; whatever follows once the limit is reached is ignored.
QStringList splitCommandLine(const QString& line, int limit = 10);

// The puzzle path named by a command line that arrives as one string:
// argument 1 without its quotes when it is quoted, else all arguments joined
// with single spaces. "" for an empty line.
QString commandLinePath(const QString& line);

// The puzzle path named by the program's arguments as the system passes them:
// a single argument is the path exactly as given (blanks and all); several are
// read as the one-string line they make when joined with single spaces.
QString commandLinePath(const QStringList& arguments);

// True when the file's name ends in ".kem" in any case.
bool hasPuzzleExtension(const QString& path);

// "" when `folder` already ends in a separator, else "/".
QString pathSeparator(const QString& folder);

// A file beside the program: program folder + separator + name.
QString programFile(const QString& name);

} // namespace tavrin::app
