// Where the program's data files (pictures, sounds, music, help) may lie: the
// same search for the game window and the command-line tool.
#pragma once

#include <string>
#include <vector>

namespace tavrin::game {

// The folders searched for the data, in order: the program folder, the
// installed data folder relative to the program, the installed data folder
// chosen when the program was built. Joined as given, not cleaned; an empty
// program folder gives only the last.
std::vector<std::string> dataFolderCandidates(const std::string& programFolder);

} // namespace tavrin::game
