// The puzzle file named on the command line: played as a series when it can
// be, otherwise named in a message before the free game starts.
#include "gui_support.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

namespace {

const char* const kNotFound = "問題ファイルを開けません：ファイルが見つかりません。";
const char* const kNotKem = "問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。";
const char* const kNotPuzzle = "Tavrinの問題ファイルのファイル形式ではありません。";

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return {};
    }
    return path;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void unplayableFileSaysWhyThenStartsTheFreeGame_data();
    void unplayableFileSaysWhyThenStartsTheFreeGame();
    void pathWithTwoBlanksInARowIsPlayed();
    void fileThatFailedIsNotTakenForTheOpenedOne();
};

void CommandLineTest::unplayableFileSaysWhyThenStartsTheFreeGame_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "gone.kem" << kNotFound;
    QTest::newRow("empty") << "empty.kem" << kNotPuzzle;
    QTest::newRow("one byte") << "one.kem" << kNotPuzzle;
    QTest::newRow("junk") << "junk.kem" << kNotPuzzle;
    QTest::newRow("other extension") << "puzzle.txt" << kNotKem;
    QTest::newRow("folder") << "folder.kem" << kNotKem;
    QTest::newRow("named pipe") << "pipe.kem" << kNotKem;
    QTest::newRow("device") << "/dev/zero" << kNotKem;
}

void CommandLineTest::unplayableFileSaysWhyThenStartsTheFreeGame()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = name.startsWith(u'/') ? name : dir.filePath(name);
    if (name == u"empty.kem") {
        QVERIFY(!writeBytes(path, {}).isEmpty());
    } else if (name == u"one.kem") {
        QVERIFY(!writeBytes(path, "K").isEmpty());
    } else if (name == u"junk.kem") {
        QVERIFY(!writeBytes(path, "KEM and nothing of a puzzle").isEmpty());
    } else if (name == u"puzzle.txt") {
        QVERIFY(QFile::rename(writePuzzle(dir.filePath(QStringLiteral("puzzle"))), path));
    } else if (name == u"folder.kem") {
        QVERIFY(QDir().mkdir(path));
    } else if (name == u"pipe.kem") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }

    Fixture f(QStringList{path});
    f.startFreeGame();
    QVERIFY(!f->state().puzzleSeries);
    QVERIFY(!f->controller().flow().launchedWithFile);
    QCOMPARE(f.boxes.messages.size(), 1);
    QVERIFY2(f.boxes.lastMessage().startsWith(u(message.toUtf8().constData())), qPrintable(f.boxes.lastMessage()));
    QCOMPARE(QString::fromStdString(f.status()), graphics::screenText(f->controller().themeGoal()));
}

void CommandLineTest::pathWithTwoBlanksInARowIsPlayed()
{
    QTemporaryDir dir;
    const QString path = writePuzzle(dir.filePath(QStringLiteral("a  b.kem")));
    QVERIFY(!path.isEmpty());
    Fixture f(QStringList{path});
    f->start();
    QTRY_VERIFY(f->state().puzzleSeries);
    QCOMPARE(f->form().windowTitle(), u("a  b - Tavrin for Windows[実行]"));
    QVERIFY(f->controller().flow().launchedWithFile);
    QVERIFY(f.boxes.messages.isEmpty());
}

void CommandLineTest::fileThatFailedIsNotTakenForTheOpenedOne()
{
    QTemporaryDir dir;
    const QString junk = writeBytes(dir.filePath(QStringLiteral("junk.kem")), "junk");
    const QString good = writePuzzle(dir.filePath(QStringLiteral("good.kem")));
    Fixture f(QStringList{junk});
    f.startFreeGame();
    QCOMPARE(f.boxes.lastMessage(), u(kNotPuzzle));
    f.action(Command::NewGame)->trigger();

    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::PuzzleFile));
    f.boxes.paths.push_back(good);
    f.action(Command::Open)->trigger();
    QVERIFY(f->state().puzzleSeries);
    // Opened from the menu, the series can be interrupted and ends in the free game.
    QCOMPARE(f.action(Command::Exit)->text(), u("中断(&P)"));
    QVERIFY(!f->controller().flow().launchedWithFile);
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
