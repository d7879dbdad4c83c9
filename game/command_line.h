// The game's command line: the puzzle file it names for start-up to play.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrin::game {

// Splits `line` at spaces and tabs (a run of them is one separator) into at
// most `limit` arguments; whatever follows once the limit is reached is ignored.
std::vector<std::string> splitCommandLine(std::string_view line, int limit = 10);

// The puzzle path named by a command line that arrives as one string:
// argument 1 without its quotes when it is quoted, else all arguments joined
// with single spaces. "" for an empty line.
std::string commandLinePath(std::string_view line);

// The puzzle path named by the program's arguments as the system passes them:
// a single argument is the path exactly as given (blanks and all); several are
// read as the one-string line they make when joined with single spaces.
std::string commandLinePath(const std::vector<std::string>& arguments);

} // namespace tavrin::game
