// The editor by mouse: pieces on the board, a full-connection goal, saving,
// reopening, and playing the saved file as a series to its end.
#include "gui_support.h"

#include "app/high_score_dialog.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

class PuzzleFilesTest : public QObject {
    Q_OBJECT
private slots:
    void editSaveReopenAndPlaySeries();
    void notAPuzzleFileIsRefused();
};

namespace {

// Plays the one-puzzle file `saved` as a series until it is cleared: the
// name asked, the table shown, the free game back as it was.
void playTheSavedSeries(Fixture& f, const QString& saved, const QImage& litEraser,
                        const Board& freeBoard, QSize freeSize)
{
    // Play the file as a series. No eraser: erasing a straight would leave one group.
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::PuzzleFile));
    f.boxes.paths.push_back(saved);
    f.action(Command::Open)->trigger();
    QVERIFY(f->state().puzzleSeries);
    QCOMPARE(f->form().windowTitle(), u("series - Tavrin for Windows[実行]"));
    QCOMPARE(f.action(Command::Exit)->text(), u("中断(&P)"));
    QVERIFY(f->form().palettePanel()->isVisible());
    QVERIFY(f->form().commentBox()->isReadOnly());
    QCOMPARE(QString::fromStdString(f.status()), u("全てのハイパーロードがつながるようにしてください。"));
    QVERIFY(!f->form().paletteEntry(11)->isEnabled());
    QVERIFY(f->form().paletteEntry(11)->grab().toImage() != litEraser);

    f.boxes.texts.push_back(u("Tester"));
    QString tableCaption;
    f.boxes.dialogs.push_back([&](QDialog& d) {
        if (auto* table = qobject_cast<app::HighScoreDialog*>(&d)) {
            tableCaption = table->windowTitle() + u'|' + table->nameLabel(0)->text();
            table->okButton()->click();
        }
        return int(QDialog::Accepted);
    });
    // The offered shapes in the gap until one joins both straights.
    int misses = 0;
    for (;;) {
        const int shape = f->state().selectedShape;
        QVERIFY(shape >= 0 && shape <= 10);
        f.pressPalette(shape);
        f.clickCell(1);
        QTRY_VERIFY_WITH_TIMEOUT(f.settled(), 3000);
        if (f.status() == "やった！クリアだ" || !f->state().puzzleSeries) {
            break;
        }
        ++misses;
        QVERIFY(misses < 100);
    }
    // After the clear the series ends: name asked, table shown, free game back.
    QTRY_VERIFY_WITH_TIMEOUT(!f->state().puzzleSeries, 3000);
    QCOMPARE(f.boxes.inputs.back().prompt, u("あなたは\"series\"での1位になりました。\n名前を入力してください。"));
    QCOMPARE(tableCaption, u("series - Tavrinのﾊｲｽｺｱ|1: Tester"));
    const std::string section = saved.toStdString();
    QCOMPARE(f->settings().get(section, "Score1", "?"), std::to_string(misses));
    QCOMPARE(f->settings().get(section, "Name1", "?"), std::string("Tester"));
    QCOMPARE(f.action(Command::Exit)->text(), u("終了(&X)"));
    QCOMPARE(f->state().board, freeBoard);
    QCOMPARE(f->form().windowTitle(), u("Tavrin for Windows"));
    QTRY_COMPARE(f->form().size(), freeSize);
}

} // namespace

void PuzzleFilesTest::editSaveReopenAndPlaySeries()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    const auto freeBoard = f->state().board;
    const QSize freeSize = f->form().size();

    // Into the editor: palette, spinner and the board toolbar appear.
    QTest::mouseClick(f->form().mainToolbar()->widgetForAction(f.action(Command::EditMode)), Qt::LeftButton);
    QVERIFY(f->state().editMode);
    QVERIFY(f->form().palettePanel()->isVisible());
    QVERIFY(f->form().boardToolbar()->isVisible());
    QVERIFY(f->form().commentBox()->isVisible());
    const QImage litEraser = f->form().paletteEntry(11)->grab().toImage();
    // Puzzle 1 of 1, also in the spinner (its value stays the 0-based position).
    QCOMPARE(f->form().spinner()->text(), u("1"));
    QCOMPARE(f->form().spinner()->value(), 0);

    // Two horizontal straights with a gap: two groups.
    f.pressPalette(0);
    QCOMPARE(int(f->state().selectedShape), 0);
    f.clickCell(0);
    QTRY_VERIFY(f.settled());
    f.clickCell(2);
    QTRY_VERIFY(f.settled());
    QCOMPARE(int(f->state().board[0]), 0);
    QCOMPARE(int(f->state().board[2]), 0);

    // A goal: full connection; the default comment makes it ask for one.
    f.boxes.texts.push_back(u("つなげよう"));
    f.action(Command::FullConnection)->trigger();
    QCOMPARE(f.boxes.inputs.size(), 1);
    QCOMPARE(f.boxes.inputs.back().prompt, u("何かこの問題のコメントを書いてください。"));
    QCOMPARE(int(f->state().puzzles[0].mode), 0);
    QVERIFY(f.action(Command::FullConnection)->isChecked());
    QCOMPARE(f->form().commentBox()->text(), u("つなげよう"));

    // Save under a name typed without extension.
    const QString typed = f.file(QStringLiteral("series"));
    f.boxes.paths.push_back(typed);
    f.action(Command::SaveAs)->trigger();
    QCOMPARE(f.boxes.files.back().title, u("名前をつけて問題の保存"));
    QVERIFY(f.boxes.files.back().save);
    const QString saved = typed + QStringLiteral(".kem");
    QVERIFY(QFileInfo(saved).isFile());
    QCOMPARE(QFileInfo(saved).size(), qint64(3 + 115));
    QVERIFY(f->editor().collectionSaved());
    QCOMPARE(f->form().windowTitle(), u("series - Tavrin for Windows[編集]"));

    // With a file in the editor, Exit closes the file; then open it again.
    f.action(Command::Exit)->trigger();
    QVERIFY(f->state().editMode);
    QCOMPARE(int(f->state().board[0]), -1);
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::PuzzleFile));
    f.boxes.paths.push_back(saved);
    f.action(Command::Open)->trigger();
    QCOMPARE(f.boxes.files.back().title, u("問題のﾛｰﾄﾞ"));
    QCOMPARE(f.boxes.files.back().filters.front(), u("Tavrin 問題(*.kem)"));
    QCOMPARE(int(f->state().board[0]), 0);
    QCOMPARE(int(f->state().board[2]), 0);
    QCOMPARE(f->form().commentBox()->text().trimmed(), u("つなげよう"));
    QCOMPARE(f.action(Command::Exit)->text(), u("閉じる(&C)"));

    // Back to play: the free game comes back as it was, the window too.
    QVERIFY(f->form().height() > freeSize.height());
    f.action(Command::PlayMode)->trigger();
    QVERIFY(!f->state().editMode);
    QCOMPARE(f->state().board, freeBoard);
    QTRY_COMPARE(f->form().size(), freeSize);

    playTheSavedSeries(f, saved, litEraser, freeBoard, freeSize);
}

void PuzzleFilesTest::notAPuzzleFileIsRefused()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    const QString path = f.file(QStringLiteral("wrong.kem"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("kem and more");
    file.close();
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::PuzzleFile));
    f.boxes.paths.push_back(path);
    f.action(Command::Open)->trigger();
    QCOMPARE(f.boxes.lastMessage(), u("Tavrinの問題ファイルのファイル形式ではありません。"));
    QVERIFY(!f->state().puzzleSeries);
    QVERIFY(f->controller().freeGame().active());

    // An empty file says the same, never nothing.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    f.boxes.messages.clear();
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::PuzzleFile));
    f.boxes.paths.push_back(path);
    f.action(Command::Open)->trigger();
    QCOMPARE(f.boxes.lastMessage(), u("Tavrinの問題ファイルのファイル形式ではありません。"));
}

QTEST_MAIN(PuzzleFilesTest)
#include "puzzle_files_test.moc"
