// Where the program looks for its data and writes its files, in the build
// tree and when installed; and the options it answers without a window.
#include "gui_support.h"

#include "app/data_dir.h"
#include "app/startup_options.h"
#include "graphics/file_kind_chooser.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRadioButton>

using namespace tavrin;
using namespace tavrin::gui_test;

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("x");
    }
}

void fillData(const QString& folder)
{
    for (const QString& name : app::dataFileNames()) {
        touch(QDir(folder).filePath(name));
    }
}

QString programPath()
{
    return qEnvironmentVariable("TAVRIN_BIN");
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the game program with no display of any kind.
Run runProgram(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(programPath(), args);
    Run run;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void dataBesideTheProgramComesFirst();
    void installedDataIsFoundRelativeToTheProgram();
    void incompleteDataIsPassedOver();
    void noDataFallsBackToTheProgramFolder();
    void buildTreeKeepsPagesBesideTheProgram();
    void installedProgramWritesPagesForTheUser();
    void shellUsesItsPageAndFileFolders();
    void dataListCoversTheBuiltFiles();
    void optionsAreRecognisedOnlyFirst();
    void helpAndVersionNeedNoDisplay();
    void checkDataReportsTheBuildTree();
};

void InstallTest::dataBesideTheProgramComesFirst()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    fillData(bin);
    fillData(root.filePath(QStringLiteral("share/tavrin")));
    QCOMPARE(app::findDataFolder(bin), QDir::cleanPath(bin));
    QVERIFY(app::missingDataFiles(bin).isEmpty());
}

void InstallTest::installedDataIsFoundRelativeToTheProgram()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    fillData(root.filePath(QStringLiteral("share/tavrin")));
    QCOMPARE(app::findDataFolder(bin), QDir::cleanPath(root.filePath(QStringLiteral("share/tavrin"))));
    const QStringList candidates = app::dataFolderCandidates(bin);
    QVERIFY(candidates.size() >= 2);
    QCOMPARE(candidates.at(0), QDir::cleanPath(bin));
    QCOMPARE(candidates.at(1), QDir::cleanPath(root.filePath(QStringLiteral("share/tavrin"))));
}

void InstallTest::incompleteDataIsPassedOver()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    fillData(bin);
    QVERIFY(QFile::remove(QDir(bin).filePath(QStringLiteral("help/index.html"))));
    QCOMPARE(app::missingDataFiles(bin), QStringList{QStringLiteral("help/index.html")});
    fillData(root.filePath(QStringLiteral("share/tavrin")));
    QCOMPARE(app::findDataFolder(bin), QDir::cleanPath(root.filePath(QStringLiteral("share/tavrin"))));
}

void InstallTest::noDataFallsBackToTheProgramFolder()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    QCOMPARE(app::missingDataFiles(bin).size(), app::dataFileNames().size());
    const QString installed = app::dataFolderCandidates(bin).back();
    if (app::missingDataFiles(installed).isEmpty()) {
        QCOMPARE(app::findDataFolder(bin), installed);
    } else {
        QCOMPARE(app::findDataFolder(bin), bin);
    }
    QCOMPARE(app::missingDataFiles(QString()).size(), app::dataFileNames().size());
}

void InstallTest::buildTreeKeepsPagesBesideTheProgram()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    fillData(bin);
    const app::ProgramFolders folders =
        app::programFolders(bin, root.filePath(QStringLiteral("user")), root.filePath(QStringLiteral("docs")));
    QCOMPARE(folders.data, QDir::cleanPath(bin));
    QCOMPARE(folders.pages, bin);
    QCOMPARE(folders.files, bin);
    QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("user"))));
}

void InstallTest::installedProgramWritesPagesForTheUser()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    fillData(root.filePath(QStringLiteral("share/tavrin")));
    const QString user = root.filePath(QStringLiteral("home/.local/share/Tavrin"));
    const QString docs = root.filePath(QStringLiteral("home/Documents"));
    const app::ProgramFolders folders = app::programFolders(bin, user, docs);
    QCOMPARE(folders.data, QDir::cleanPath(root.filePath(QStringLiteral("share/tavrin"))));
    QCOMPARE(folders.pages, user);
    QCOMPARE(folders.files, docs);
    QVERIFY(QFileInfo(user).isDir()); // made, so the first page can be written
}

void InstallTest::shellUsesItsPageAndFileFolders()
{
    QTemporaryDir data;
    QTemporaryDir pages;
    QTemporaryDir files;
    // Open -> puzzle file: the file dialog starts in the installed collection
    // when there is one, else in the file folder given, or in the program
    // folder when none is.
    auto openFolder = [&](const app::ShellOptions& options) {
        Boxes boxes;
        app::openSettings()->clear();
        app::GameShell shell(options);
        shell.start();
        boxes.dialogs.push_back(chooseKind(graphics::FileKind::PuzzleFile));
        shell.form().action(game::Command::Open)->trigger();
        return boxes.files.isEmpty() ? QStringLiteral("(no dialog)") : boxes.files.back().folder;
    };
    QCOMPARE(openFolder({data.path(), {}, pages.path(), files.path()}), files.path());
    QCOMPARE(openFolder({data.path(), {}}), data.path());
    // With the puzzle collection in the data folder, the puzzle dialog starts there.
    QVERIFY(QDir(data.path()).mkdir(QStringLiteral("mondai")));
    QCOMPARE(openFolder({data.path(), {}, pages.path(), files.path()}), data.filePath(QStringLiteral("mondai")));
}

void InstallTest::dataListCoversTheBuiltFiles()
{
    const QString folder = QFileInfo(programPath()).absolutePath();
    QVERIFY2(!programPath().isEmpty(), "TAVRIN_BIN is not set");
    QCOMPARE(app::missingDataFiles(folder), QStringList());
    // Every help file made for the program is one the program checks for.
    QDirIterator it(QDir(folder).filePath(QStringLiteral("help")), QDir::Files);
    int seen = 0;
    while (it.hasNext()) {
        it.next();
        const QString name = QStringLiteral("help/") + it.fileName();
        QVERIFY2(app::dataFileNames().contains(name), qPrintable(name));
        ++seen;
    }
    QVERIFY(seen >= 10);
}

void InstallTest::optionsAreRecognisedOnlyFirst()
{
    using app::StartupRequest;
    const char* help[] = {"tavrin", "--help"};
    const char* shortHelp[] = {"tavrin", "-h"};
    const char* version[] = {"tavrin", "--version"};
    const char* check[] = {"tavrin", "--check-data"};
    const char* file[] = {"tavrin", "/tmp/my", "--help.kem"};
    const char* plain[] = {"tavrin"};
    const char* other[] = {"tavrin", "--versions"};
    QCOMPARE(app::startupRequest(2, help), StartupRequest::Help);
    QCOMPARE(app::startupRequest(2, shortHelp), StartupRequest::Help);
    QCOMPARE(app::startupRequest(2, version), StartupRequest::Version);
    QCOMPARE(app::startupRequest(2, check), StartupRequest::CheckData);
    QCOMPARE(app::startupRequest(3, file), StartupRequest::Play);
    QCOMPARE(app::startupRequest(1, plain), StartupRequest::Play);
    QCOMPARE(app::startupRequest(2, other), StartupRequest::Play);
    QCOMPARE(app::startupRequest(0, nullptr), StartupRequest::Play);
}

void InstallTest::helpAndVersionNeedNoDisplay()
{
    const Run help = runProgram({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(help.out, app::usageText());
    QVERIFY(help.out.contains(u("使い方: tavrin [--lang ja|en] [問題ファイル.kem]")));
    QVERIFY(help.out.contains(QStringLiteral("--version")));
    QCOMPARE(help.err, QString());

    const Run version = runProgram({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("Tavrin for Windows " TAVRIN_VERSION "\n"));

    // Anything else still needs a display, and says so.
    const Run game = runProgram({});
    QCOMPARE(game.exitCode, 1);
    QVERIFY(game.err.contains(QStringLiteral("no display")));
    QCOMPARE(game.out, QString());
}

void InstallTest::checkDataReportsTheBuildTree()
{
    const Run run = runProgram({QStringLiteral("--check-data")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QFileInfo(run.out.trimmed()).canonicalFilePath(),
             QFileInfo(QFileInfo(programPath()).absolutePath()).canonicalFilePath());
}

QTEST_MAIN(InstallTest)
#include "install_test.moc"
