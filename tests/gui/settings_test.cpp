// Settings the game cannot keep or should not trust: a folder it cannot
// write, a file it did not change, a file far too large, and texts too long
// for a message box.
#include "gui_support.h"

#include "app/qt_settings_store.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <sys/stat.h>

using namespace tavrin;
using namespace tavrin::gui_test;

namespace {

// Points the per-user config folder somewhere else for one test.
class ConfigHome {
public:
    explicit ConfigHome(const QString& folder) : old_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", folder.toUtf8());
    }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", old_); }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

private:
    QByteArray old_;
};

// A config folder whose "Tavrin for Windows" folder cannot be made (a plain
// file holds its name), which no user, not even root, can write into.
QString blockedConfigFolder(const QTemporaryDir& dir)
{
    QFile block(dir.filePath(QStringLiteral("Tavrin for Windows")));
    block.open(QIODevice::WriteOnly);
    return dir.path();
}

// Contents and identity of a file: a rewrite changes the inode even when the
// bytes are the same.
struct FileState {
    QByteArray bytes;
    ino_t inode = 0;
    bool operator==(const FileState&) const = default;
};

FileState fileState(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return {file.readAll(), info.st_ino};
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void readOnlySettingsFolderStillStarts();
    void settingsThatCannotBeKeptAreSaidOnce();
    void startUpLeavesAnUnchangedFileAlone();
    void hugeSettingsFileIsNeitherReadNorRewritten();
    void messageBoxFitsTheScreen();
};

void SettingsTest::readOnlySettingsFolderStillStarts()
{
    const QString program = qEnvironmentVariable("TAVRIN_BIN");
    if (program.isEmpty()) {
        QSKIP("TAVRIN_BIN is not set");
    }
    QTemporaryDir config;
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), blockedConfigFolder(config));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, {QStringLiteral("--quit-after-first-frame")});
    // The game comes up and paints its board instead of claiming that
    // another copy runs (a box that would wait here for ever).
    const bool finished = process.waitForFinished(15000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    QVERIFY(finished);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void SettingsTest::settingsThatCannotBeKeptAreSaidOnce()
{
    QTemporaryDir config;
    QTemporaryDir folder;
    const ConfigHome home(blockedConfigFolder(config));
    Boxes boxes;
    app::GameShell shell({folder.path(), {}});
    shell.start();
    shell.show();
    QTRY_VERIFY_WITH_TIMEOUT(shell.controller().freeGame().active(), 5000);
    shell.show();
    QTest::qWait(50);
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY(boxes.lastMessage().contains(u("設定とハイスコアは保存されません")));
    QCOMPARE(boxes.messages.front().icon, game::Icon::Warning);
    QVERIFY(!shell.settings().flush());
}

void SettingsTest::startUpLeavesAnUnchangedFileAlone()
{
    QTemporaryDir config;
    QTemporaryDir folder;
    const ConfigHome home(config.path());
    const QString file = app::settingsFilePath();
    // As the game leaves it: start-up would write nothing new here.
    writeFile(file, "[Geometry]\nLeft=0\nTop=0\n\n[HighScore3]\nName1=Hanako\nScore1=1234\n\n"
                    "[Options]\nPointMode=-1\nZoom=1\n\n[Tavrin%20for%20Windows]\nTheme%20File=\n");
    const FileState before = fileState(file);
    Boxes boxes;
    {
        app::GameShell shell({folder.path(), {}});
        shell.start();
        shell.show();
        QTRY_VERIFY_WITH_TIMEOUT(shell.controller().freeGame().active(), 5000);
        QVERIFY(shell.settings().flush());
        QCOMPARE(fileState(file), before);
        QVERIFY(boxes.messages.isEmpty());
    }
    QCOMPARE(fileState(file), before);
}

void SettingsTest::hugeSettingsFileIsNeitherReadNorRewritten()
{
    QTemporaryDir config;
    QTemporaryDir folder;
    const ConfigHome home(config.path());
    const QString file = app::settingsFilePath();
    QByteArray bytes("[Options]\nPointMode=0\n[Junk]\n");
    bytes += "x=" + QByteArray(app::kMaxSettingsFileBytes, 'x') + '\n';
    writeFile(file, bytes);
    const FileState before = fileState(file);
    Boxes boxes;
    {
        app::GameShell shell({folder.path(), {}});
        QCOMPARE(shell.settings().keeping(), app::QtSettingsStore::Keeping::FileUnusable);
        QCOMPARE(shell.settings().get("Options", "PointMode", "-1"), std::string("-1")); // not read
        shell.start();
        shell.show();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.messages.size(), 1, 5000);
        shell.settings().save("Options", "PointMode", "0");
        QVERIFY(!shell.settings().flush());
    }
    QCOMPARE(fileState(file), before);
}

void SettingsTest::messageBoxFitsTheScreen()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString path = QStringLiteral("/tmp/") + QString(100000, u'x') + QStringLiteral("/theme.ket");
    const QString sentence = u("を読み込むことができませんでした。");
    QStringList lines;
    for (int i = 0; i < 3000; ++i) {
        lines.append(QStringLiteral("line %1").arg(i));
    }
    for (const QString& text : {path + sentence, lines.join(u'\n')}) {
        QRect shown;
        QString label;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown = box->frameGeometry();
            label = box->text();
            box->accept();
        });
        app::MessageRequest request;
        request.text = text;
        app::showMessage(nullptr, request);
        QVERIFY(shown.isValid());
        QVERIFY2(shown.height() <= screen.height() && shown.width() <= screen.width(),
                 qPrintable(QStringLiteral("%1 x %2").arg(shown.width()).arg(shown.height())));
        QCOMPARE(label.left(5), text.left(5)); // cut in the middle: both ends stay
        QCOMPARE(label.right(5), text.right(5));
    }
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
