// The Game menu's own series: a fresh generated one and the one of the day.
#include "gui_support.h"

#include "puzzles/game_series.h"

#include <QDate>
#include <QDir>
#include <QLineEdit>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

class SeriesMenuTest : public QObject {
    Q_OBJECT
private slots:
    void freshSeriesPlaysTenRisingPuzzles();
    void dailySeriesIsTheDatesOwn();
    void onlyFromPlayMode();
};

void SeriesMenuTest::freshSeriesPlaysTenRisingPuzzles()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    const auto freeBoard = f->state().board;
    QVERIFY(f.action(Command::FreshSeries)->isEnabled());

    f.action(Command::FreshSeries)->trigger();
    QVERIFY(f->state().puzzleSeries);
    QCOMPARE(int(f->state().puzzleCount), kSeriesLength);
    QCOMPARE(f->form().windowTitle(), u("おまかせ問題 - Tavrin for Windows[実行]"));
    QCOMPARE(f->form().commentBox()->text(), u("難易度１ ★☆☆☆☆"));
    QCOMPARE(f->controller().flow().playFilePath, std::string(kFreshSeriesName));
    int loops = 0;
    for (int i = 0; i < kSeriesLength; ++i) {
        loops += f->state().puzzles[i].mode == kBigLoop ? 1 : 0;
    }
    QCOMPARE(loops, kSeriesLength / 2);
    QVERIFY(f->state().puzzles[kSeriesLength - 1].comment.starts_with("難易度５"));
    QVERIFY(!f.action(Command::FreshSeries)->isEnabled());
    QVERIFY(!f.action(Command::DailySeries)->isEnabled());
    // Nothing was written beside the program.
    QVERIFY(QDir(f.folder.path()).isEmpty());
    const auto first = f->state().puzzles;

    // Interrupted, the free game is back; the next series is another one.
    f.action(Command::Exit)->trigger();
    QVERIFY(!f->state().puzzleSeries);
    QCOMPARE(f->state().board, freeBoard);
    QVERIFY(f.action(Command::FreshSeries)->isEnabled());
    f.action(Command::FreshSeries)->trigger();
    QVERIFY(f->state().puzzleSeries);
    QVERIFY(f->state().puzzles != first);
}

void SeriesMenuTest::dailySeriesIsTheDatesOwn()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    f.action(Command::DailySeries)->trigger();
    const QDate now = QDate::currentDate();
    QVERIFY(f->state().puzzleSeries);
    const auto m = static_cast<unsigned>(now.month());
    const auto d = static_cast<unsigned>(now.day());
    const std::vector<Puzzle> expected = generatePuzzles(dailyRequest(now.year(), m, d));
    QCOMPARE(int(f->state().puzzleCount), int(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QVERIFY(f->state().puzzles[i].cells == expected[i].cells);
    }
    const std::string name = dailySeriesName(now.year(), m, d);
    QCOMPARE(f->controller().flow().playFilePath, name);
    QCOMPARE(f->form().windowTitle(), QString::fromStdString(name) + u(" - Tavrin for Windows[実行]"));
}

void SeriesMenuTest::onlyFromPlayMode()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    QVERIFY(!f.action(Command::FreshSeries)->isEnabled());
    QVERIFY(!f.action(Command::DailySeries)->isEnabled());
    f.action(Command::PlayMode)->trigger();
    QVERIFY(!f->state().editMode);
    QVERIFY(f.action(Command::DailySeries)->isEnabled());
}

QTEST_MAIN(SeriesMenuTest)
#include "series_menu_test.moc"
