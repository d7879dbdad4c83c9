#include "app/data_dir.h"

#include "game/data_folders.h"
#include "puzzles/game_series.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavrin::app {

namespace {

QString cleanFolder(const QString& folder)
{
    return folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

bool sameFolder(const QString& a, const QString& b)
{
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath()
           && !QFileInfo(a).canonicalFilePath().isEmpty();
}

} // namespace

const QStringList& dataFileNames()
{
    static const QStringList names = [] {
        QStringList n = {
            QStringLiteral("hyperroad.bmp"),       QStringLiteral("background_normal.bmp"),
            QStringLiteral("background_goal.bmp"), QStringLiteral("items.bmp"),
            QStringLiteral("B.wav"),               QStringLiteral("trush.wav"),
            QStringLiteral("jan.wav"),             QStringLiteral("ecomode.mid"),
            QStringLiteral("mondai.mid"),          QStringLiteral("help/index.html"),
            QStringLiteral("help/basics.html"),    QStringLiteral("help/editor.html"),
            QStringLiteral("help/free_game.html"), QStringLiteral("help/keys.html"),
            QStringLiteral("help/pictures.html"),  QStringLiteral("help/scoring.html"),
            QStringLiteral("help/series.html"),    QStringLiteral("help/themes.html"),
            QStringLiteral("help/pieces.png"),     QStringLiteral("help/items.png"),
            QStringLiteral("help/sheet.png"),      QStringLiteral("help/item_strip.png"),
            QStringLiteral("help/en/index.html"),   QStringLiteral("help/en/basics.html"),
            QStringLiteral("help/en/editor.html"),  QStringLiteral("help/en/free_game.html"),
            QStringLiteral("help/en/keys.html"),    QStringLiteral("help/en/pictures.html"),
            QStringLiteral("help/en/scoring.html"), QStringLiteral("help/en/series.html"),
            QStringLiteral("help/en/themes.html"),  QStringLiteral("translations/tavrin_en.qm"),
        };
        // The puzzle collection installed with the game.
        for (const std::string_view file : kCollectionFiles) {
            n.append(collectionFilePath(QString(), file));
        }
        return n;
    }();
    return names;
}

QString collectionFolder(const QString& dataFolder)
{
    const QString name = QString::fromUtf8(kCollectionFolder.data(), static_cast<qsizetype>(kCollectionFolder.size()));
    return dataFolder.isEmpty() ? name : QDir(dataFolder).filePath(name);
}

QString collectionFilePath(const QString& dataFolder, std::string_view file)
{
    return collectionFolder(dataFolder) + QLatin1Char('/')
           + QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

QStringList missingDataFiles(const QString& folder)
{
    QStringList missing;
    const QDir dir(folder);
    for (const QString& name : dataFileNames()) {
        if (folder.isEmpty() || !QFileInfo(dir.filePath(name)).isFile()) {
            missing.append(name);
        }
    }
    return missing;
}

QStringList dataFolderCandidates(const QString& programFolder)
{
    QStringList folders;
    auto add = [&folders](const QString& folder) {
        const QString clean = cleanFolder(folder);
        if (!clean.isEmpty() && !folders.contains(clean)) {
            folders.append(clean);
        }
    };
    for (const std::string& folder : game::dataFolderCandidates(programFolder.toStdString())) {
        add(QString::fromStdString(folder));
    }
    return folders;
}

QString findDataFolder(const QString& programFolder)
{
    for (const QString& folder : dataFolderCandidates(programFolder)) {
        if (missingDataFiles(folder).isEmpty()) {
            return folder;
        }
    }
    return programFolder;
}

ProgramFolders programFolders(const QString& programFolder, const QString& userDataFolder,
                              const QString& documentsFolder)
{
    ProgramFolders folders;
    folders.data = findDataFolder(programFolder);
    const bool besideProgram = sameFolder(folders.data, programFolder) || folders.data == programFolder;
    if (besideProgram && QFileInfo(programFolder).isWritable()) {
        folders.pages = programFolder;
        folders.files = programFolder;
        return folders;
    }
    folders.pages = userDataFolder.isEmpty() ? QDir::tempPath() : userDataFolder;
    QDir().mkpath(folders.pages);
    folders.files = documentsFolder.isEmpty() ? QDir::homePath() : documentsFolder;
    return folders;
}

ProgramFolders programFolders(const QString& programFolder)
{
    return programFolders(programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

} // namespace tavrin::app
