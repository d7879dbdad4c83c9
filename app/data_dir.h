// Where the program finds its data files (pictures, sounds, music, help) and
// where it writes its own files: beside the program in a build tree or a
// portable folder, under share/tavrin and the user's folders when installed.
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

namespace tavrin::app {

// The data files the game reads, relative to the data folder.
const QStringList& dataFileNames();

// The folder of the installed puzzle collection, and one of its files:
// relative to the data folder when `dataFolder` is empty, else inside it.
QString collectionFolder(const QString& dataFolder);
QString collectionFilePath(const QString& dataFolder, std::string_view file);

// The data files missing from `folder` (all of them when it does not exist).
QStringList missingDataFiles(const QString& folder);

// The folders searched for the data, in order: the program folder, the
// installed data folder relative to the program, the installed data folder
// chosen when the program was built.
QStringList dataFolderCandidates(const QString& programFolder);

// The first candidate that holds every data file; the program folder when
// none does (the game then falls back to its drawn pictures and stays silent).
QString findDataFolder(const QString& programFolder);

struct ProgramFolders {
    QString data;  // pictures, sounds, music, help
    QString pages; // the registration pages written for high scores
    QString files; // where the file dialogs open
};

// The folders for a program in `programFolder`. When the data lies beside the
// program and that folder is writable, everything stays there; otherwise the
// pages go to the per-user data folder (`userDataFolder`, created when
// missing) and the dialogs open in `documentsFolder`.
ProgramFolders programFolders(const QString& programFolder, const QString& userDataFolder,
                              const QString& documentsFolder);
// The same with the platform's per-user data and documents folders.
ProgramFolders programFolders(const QString& programFolder);

} // namespace tavrin::app
