#include "game/data_folders.h"

#ifndef TAVRIN_DATA_RELATIVE
#define TAVRIN_DATA_RELATIVE "../share/tavrin"
#endif
#ifndef TAVRIN_DATA_INSTALLED
#define TAVRIN_DATA_INSTALLED "/usr/local/share/tavrin"
#endif

namespace tavrin::game {

std::vector<std::string> dataFolderCandidates(const std::string& programFolder)
{
    std::vector<std::string> folders;
    if (!programFolder.empty()) {
        folders.push_back(programFolder);
        folders.push_back(programFolder + "/" + TAVRIN_DATA_RELATIVE);
    }
    folders.emplace_back(TAVRIN_DATA_INSTALLED);
    return folders;
}

} // namespace tavrin::game
