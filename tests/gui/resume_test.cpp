// The free game kept across runs: closing the window, ending by a signal, the
// next start taking the game up, and the files that are not taken up.
#include "gui_support.h"

#include "app/termination_signals.h"
#include "game/saved_game.h"
#include "game/saved_game_file.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <csignal>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

namespace {

// A program with its own data folder and settings, as a fresh start has.
struct Run {
    explicit Run(const QString& savedGame, const QString& missingPicture = {})
    {
        app::openSettings()->clear();
        if (!missingPicture.isEmpty()) {
            app::openSettings()->setValue(QStringLiteral("Tavrin for Windows/fn1"), missingPicture);
        }
        shell = std::make_unique<app::GameShell>(app::ShellOptions{folder.path(), {}, {}, {}, savedGame});
        shell->start();
        shell->show();
    }
    QTemporaryDir folder;
    Boxes boxes;
    std::unique_ptr<app::GameShell> shell;

    bool settled()
    {
        const game::Output& out = shell->session().output();
        return !out.timerOn(game::Timer::Evaluation) && !out.timerOn(game::Timer::AfterDiscard)
               && !out.timerOn(game::Timer::StartUp);
    }
    void clickCell(int cell)
    {
        QTest::mouseClick(shell->form().board(), Qt::LeftButton, {}, app::BoardView::cellCentre(cell));
    }
    QStringList labels()
    {
        QStringList shown;
        for (auto l : {game::ScoreFrame::Eco, game::ScoreFrame::MovesLeft, game::ScoreFrame::Loop, game::ScoreFrame::Chain}) {
            shown << shell->form().scoreLabel(l)->text();
        }
        return shown;
    }
};

std::optional<game::SavedGame> onDisk(const QString& path)
{
    return game::readSavedGameFile(path.toStdString()).game;
}

} // namespace

class ResumeTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        data = std::make_unique<QTemporaryDir>();
        QVERIFY(data->isValid());
        file = data->filePath(QStringLiteral("data/free-game.sav"));
    }
    void cleanup() { data.reset(); }

    void closingKeepsTheGameAndTheNextStartTakesItUp();
    void newGameAndTheEndOfAGameReplaceOrRemoveIt();
    void aRefusedFileIsSetAsideWithANote();
    void theRefusalAndTheForgottenPictureAreBothSaid();
    void terminationSignalKeepsTheGame();
    void theLastMoveDropsTheKeptGameBeforeItsBoxWaits();

private:
    std::unique_ptr<QTemporaryDir> data;
    QString file;
};

void ResumeTest::closingKeepsTheGameAndTheNextStartTakesItUp()
{
    game::SavedGame kept;
    QStringList labels;
    {
        Run run(file);
        QTRY_VERIFY_WITH_TIMEOUT(run.shell->controller().freeGame().active(), 5000);
        QVERIFY(onDisk(file)); // kept from the start
        for (int cell : {9, 10, 18}) {
            run.clickCell(cell);
            QTRY_VERIFY_WITH_TIMEOUT(run.settled(), 3000);
        }
        QTest::mouseClick(run.shell->form().trash(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(run.settled(), 3000);
        const auto now = game::captureSavedGame(run.shell->controller());
        QVERIFY(now);
        QCOMPARE(onDisk(file), now); // after every move
        kept = *now;
        labels = run.labels();
        QVERIFY(run.shell->form().close());
        QCOMPARE(onDisk(file), now);
    }
    Run next(file);
    QTRY_VERIFY_WITH_TIMEOUT(next.shell->controller().freeGame().active(), 5000);
    QCOMPARE(game::captureSavedGame(next.shell->controller()), std::optional(kept));
    QCOMPARE(next.labels(), labels);
    QCOMPARE(next.shell->form().trashCount()->text(), QStringLiteral("1"));
    QCOMPARE(next.shell->form().statusLabel()->text(),
             u("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。"));
}

void ResumeTest::newGameAndTheEndOfAGameReplaceOrRemoveIt()
{
    Run run(file);
    QTRY_VERIFY_WITH_TIMEOUT(run.shell->controller().freeGame().active(), 5000);
    run.clickCell(0);
    QTRY_VERIFY_WITH_TIMEOUT(run.settled(), 3000);
    QCOMPARE(int(onDisk(file)->movesUsed), 1);
    run.shell->form().action(Command::NewGame)->trigger();
    QCOMPARE(int(onDisk(file)->movesUsed), 0);
    QCOMPARE(onDisk(file), game::captureSavedGame(run.shell->controller()));

    // The last move: the time-up box, and nothing is kept.
    run.shell->state().movesUsed = 99;
    run.clickCell(63);
    QTRY_VERIFY_WITH_TIMEOUT(run.settled(), 3000);
    QVERIFY(!run.shell->controller().freeGame().active());
    QVERIFY(!QFile::exists(file));
    QVERIFY(run.shell->form().close());
    QVERIFY(!QFile::exists(file));
}

void ResumeTest::aRefusedFileIsSetAsideWithANote()
{
    // A game laid out for five items, while the item picture has three; and
    // the same file cut short.
    game::SavedGame five;
    five.board.fill(kEmpty);
    five.greenStamp.fill(-1);
    five.itemCount = 5;
    five.itemCells = {0, 36, 63, 7, 56};
    five.itemKinds = {0, 1, 2, 3, 4};
    const QByteArray bytes = QByteArray::fromStdString(game::encodeSavedGame(five));
    const QList<QPair<QByteArray, const char*>> cases = {
        {bytes, "アイテムの画像が前回のゲームと合いません。新しいゲームを始めます。"},
        {bytes.left(30), "前回のゲームの保存ファイルが途中で切れています。新しいゲームを始めます。"},
    };
    for (const auto& [written, note] : cases) {
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(written);
        out.close();
        Run run(file);
        QTRY_VERIFY_WITH_TIMEOUT(run.shell->controller().freeGame().active(), 5000);
        QCOMPARE(run.shell->form().statusLabel()->text(), u(note));
        QFile aside(file + QStringLiteral(".refused"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), written);
        QCOMPARE(int(onDisk(file)->itemCount), 3); // the new game is kept in its place
        QVERIFY(run.shell->form().close());
    }
}

void ResumeTest::theRefusalAndTheForgottenPictureAreBothSaid()
{
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write("TAVRGAME\x01\x00");
    out.close();
    Run run(file, data->filePath(QStringLiteral("moved.bmp")));
    QTRY_VERIFY_WITH_TIMEOUT(run.shell->controller().freeGame().active(), 5000);
    QCOMPARE(run.shell->form().statusText().japanese(),
             std::string("前回のゲームの保存ファイルが途中で切れています。新しいゲームを始めます。"
                         "　読み込めなくなった画像の代わりに標準の画像を使います：moved.bmp"));
    QVERIFY(run.shell->form().close());
}

void ResumeTest::terminationSignalKeepsTheGame()
{
    Run run(file);
    QTRY_VERIFY_WITH_TIMEOUT(run.shell->controller().freeGame().active(), 5000);
    app::TerminationSignals termination;
    QVERIFY(termination.listening());
    int received = 0;
    QObject::connect(&termination, &app::TerminationSignals::received, [&](int number) {
        received = number;
        run.shell->shutDown();
    });
    run.clickCell(5);
    QVERIFY(run.shell->controller().freeGame().busy());
    ::raise(SIGTERM);
    QTRY_COMPARE_WITH_TIMEOUT(received, int(SIGTERM), 3000);
    const auto kept = onDisk(file);
    QVERIFY(kept);
    QCOMPARE(int(kept->movesUsed), 1); // the move that was playing, finished
    // Once ending, nothing the game still does changes what was kept.
    run.shell->controller().startFreeGame();
    QCOMPARE(onDisk(file), kept);
}

// The program may die while the time-up box waits: by then nothing is kept
// that would let the next start play the last move again.
void ResumeTest::theLastMoveDropsTheKeptGameBeforeItsBoxWaits()
{
    Run run(file);
    QTRY_VERIFY_WITH_TIMEOUT(run.shell->controller().freeGame().active(), 5000);
    run.shell->state().movesUsed = 99;
    run.shell->state().maxMovesUsed = 99;
    run.shell->saveGameNow();
    QCOMPARE(int(onDisk(file)->movesUsed), 99);
    QStringList keptAtBox;
    app::setMessageHook([&](const app::MessageRequest& request) {
        run.shell->saveGameNow(); // the desktop logging out meanwhile
        keptAtBox << (QFile::exists(file) ? QStringLiteral("kept: ") : QStringLiteral("gone: ")) + request.text;
        return game::Answer::Ok;
    });
    run.clickCell(20);
    QTRY_VERIFY_WITH_TIMEOUT(run.settled(), 3000);
    QCOMPARE(keptAtBox.size(), 1);
    QVERIFY2(keptAtBox[0].startsWith(QStringLiteral("gone: ")), qPrintable(keptAtBox[0]));
    app::setMessageHook({});
    Run next(file);
    QTRY_VERIFY_WITH_TIMEOUT(next.shell->controller().freeGame().active(), 5000);
    QCOMPARE(int(next.shell->state().movesUsed), 0);
}

QTEST_MAIN(ResumeTest)
#include "resume_test.moc"
