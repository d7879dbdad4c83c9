// The main window as a player meets it: start-up, menus and toolbars, the
// free game by mouse, the boxes it shows, settings kept across runs
// (its smaller parts are in window_parts_test.cpp).
#include "gui_support.h"

#include "app/command_line.h"
#include "game/command_table.h"
#include "app/help_window.h"
#include "app/language.h"
#include "app/midi_timing.h"
#include "app/high_score_dialog.h"
#include "app/qt_settings_store.h"
#include "app/score_server_dialog.h"
#include "app/toolbar_icons.h"
#include "app/zoom.h"
#include "game/flow_texts.h"
#include "app/single_instance.h"
#include "app/startup_options.h"
#include "graphics/program_settings.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QStatusBar>
#include <QTimer>
#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startUpBeginsFreeGame();
    void menusAsBuilt();
    void toolbarsAsBuilt();
    void clickPlacesPieceAndDealsNext();
    void sameShapeIsRefused();
    void discardFillsTrash();
    void soundOffTwiceWritesOnce();
    void positionIsRememberedAndOffScreenCentred();
    void zoomKeptFromALargerScreenFallsBackToFit();
    void highScoreWindowCopiesToClipboard();
    void outsideTextIsShownAsWritten();
    void helpAndVersionBoxes();
    void exitFromMenuAsksBeforeDroppingEdits();
    void commandLineRules();
    void midiTicksBecomeMilliseconds();
    void secondInstanceIsRefused();
    void noDisplayEndsWithStatusOne();
};

void WindowTest::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral("1.5"));
}

void WindowTest::startUpBeginsFreeGame()
{
    Fixture f;
    f.startFreeGame();

    auto& form = f->form();
    QCOMPARE(form.windowTitle(), u("Tavrin for Windows"));
    QCOMPARE(form.scoreLabel(game::ScoreFrame::MovesLeft)->text(), u("100"));
    QCOMPARE(form.scoreFrame(game::ScoreFrame::MovesLeft)->title(), u("残り手数"));
    const GameState& s = f->state();
    int items = 0;
    for (int c = 0; c < 64; ++c) {
        items += s.cellItem[static_cast<std::size_t>(c)] >= 0 ? 1 : 0;
    }
    QVERIFY(items >= 2);
    QCOMPARE(items, int(s.itemCount));
    QVERIFY(f->controller().freeGame().offeredPiece() >= 0);
    QCOMPARE(QString::fromStdString(f.status()),
             u("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。"));
    // The board image shows something other than a blank page.
    const QImage board = form.board()->grab().toImage();
    QCOMPARE(board.size(), QSize(256, 256));
    QVERIFY(board.pixel(5, 5) != board.pixel(100, 100) || board.pixel(5, 5) != qRgb(255, 255, 255));
    QVERIFY(!form.palettePanel()->isVisible());
    QVERIFY(form.freeGamePanel()->isVisible());

    // A picture of the window for the documentation, when asked for (TAVRIN_SCREENSHOT,
    // and TAVRIN_SCREENSHOT_EN for the English one).
    // It is taken in the program folder, with the generated pictures.
    const QString shot = qEnvironmentVariable("TAVRIN_SCREENSHOT");
    if (!shot.isEmpty()) {
        app::GameShell real({QFileInfo(qEnvironmentVariable("TAVRIN_BIN")).absolutePath(), {}});
        real.start();
        real.show();
        QTRY_VERIFY_WITH_TIMEOUT(real.controller().freeGame().active(), 5000);
        for (int cell : {9, 10, 11, 19, 27}) {
            QTRY_VERIFY_WITH_TIMEOUT(!real.controller().freeGame().busy(), 3000);
            QTest::mouseClick(real.form().board(), Qt::LeftButton, {}, app::BoardView::cellCentre(cell));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!real.controller().freeGame().busy(), 3000);
        QTest::mouseMove(real.form().board(), app::BoardView::cellCentre(10));
        QTest::qWait(300);
        QVERIFY(real.form().grab().save(shot, "PNG"));
        // The same window in English, for the English half of the README.
        const QString shotEn = qEnvironmentVariable("TAVRIN_SCREENSHOT_EN");
        if (!shotEn.isEmpty()) {
            real.setLanguage(app::Language::English);
            QTest::qWait(100);
            QVERIFY(real.form().grab().save(shotEn, "PNG"));
        }
    }
}

void WindowTest::menusAsBuilt()
{
    Fixture f;
    f.startFreeGame();
    auto& form = f->form();
    const QList<QAction*> menus = form.menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[0]->text(), u("ｹﾞｰﾑ(&G)"));
    QCOMPARE(menus[1]->text(), u("編集(&E)"));
    QCOMPARE(menus[2]->text(), u("ｵﾌﾟｼｮﾝ(&O)"));
    QCOMPARE(menus[3]->text(), u("ﾍﾙﾌﾟ(&H)"));

    // The Game menu item by item, separators included; the hint, the two
    // generated series and their separators come before the exit item, which
    // stays last.
    const QList<QAction*> game = form.menu(game::Menu::Game)->actions();
    QCOMPARE(game.size(), 17);
    QCOMPARE(game[0]->text(), u("新規ゲーム(&N)"));
    QCOMPARE(game[0]->shortcut(), QKeySequence(Qt::Key_F2));
    // The daily free game beside the free game.
    QCOMPARE(game[1]->text(), u("今日の一局(&Y)"));
    QCOMPARE(game[2]->text(), u("開く(&O)..."));
    QVERIFY(game[3]->isSeparator());
    QCOMPARE(game[4]->text(), u("上書き保存(&S)"));
    QVERIFY(!game[4]->isEnabled());
    QVERIFY(!game[5]->isEnabled());
    QVERIFY(game[6]->isSeparator());
    QCOMPARE(game[7]->text(), u("ﾊｲｽｺｱ(&H)"));
    QCOMPARE(game[8]->text(), u("ﾊｲｽｺｱのｸﾘｱ(&C)"));
    QVERIFY(!game[8]->isEnabled()); // no scores yet
    QCOMPARE(game[9]->text(), u("ｴｺ・ﾃｰﾏの初期化(&T)"));
    QVERIFY(!game[9]->isEnabled());
    QVERIFY(game[10]->isSeparator());
    QCOMPARE(game[11]->text(), u("ヒント(&I)"));
    QVERIFY(game[12]->isSeparator());
    QCOMPARE(game[13]->text(), u("おまかせ問題(&R)"));
    QCOMPARE(game[14]->text(), u("今日の問題(&D)"));
    QVERIFY(game[15]->isSeparator());
    QCOMPARE(game[16]->text(), u("終了(&X)"));

    // The options menu ends with the score server, then the zoom and
    // language submenus behind a separator.
    const QList<QAction*> options = form.menu(game::Menu::Options)->actions();
    QCOMPARE(options.size(), 17);
    QCOMPARE(options[13]->text(), u("ハイスコア登録先(&R)..."));
    QVERIFY(options[0]->isChecked()); // sound on by default
    QVERIFY(!options[1]->isChecked());
    QVERIFY(options[3]->isChecked());  // eco mode
    QVERIFY(!options[4]->isEnabled()); // full connection
    QVERIFY(!options[5]->isEnabled()); // big loop
    QVERIFY(options[8]->isChecked());  // play mode
    QCOMPARE(options[11]->text(), u("デフォルトのエコ・テーマに戻す(&D)"));
    QCOMPARE(form.menu(game::Menu::Help)->actions()[0]->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(!form.menu(game::Menu::Edit)->isEnabled());
}

void WindowTest::toolbarsAsBuilt()
{
    Fixture f;
    f.startFreeGame();
    auto& form = f->form();
    const QList<QAction*> game = form.menu(game::Menu::Game)->actions();
    // The main toolbar: eighteen positions, separators at 9, 13 and 16, and the very
    // same action behind each button as behind its menu item; then a
    // separator and the hint button.
    const QList<QAction*> bar = form.mainToolbar()->actions();
    QCOMPARE(bar.size(), 20);
    QVERIFY(bar[18]->isSeparator());
    QCOMPARE(bar[19]->toolTip(), u("ヒント"));
    const QStringList tips{u("新規ゲーム"), u("開く"), u("切り取り"), u("コピー"), u("貼り付け"), u("問題の削除"),
                           u("問題の上書き保存"), u("元に戻す"), QString(), u("エコモード"), u("全結合モード"),
                           u("大ループモード"), QString(), u("編集モード"), u("プレーモード"), QString(),
                           u("ハイスコア"), u("ヘルプ")};
    for (int i = 0; i < 18; ++i) {
        if (tips[i].isEmpty()) {
            QVERIFY2(bar[i]->isSeparator(), qPrintable(QString::number(i + 1)));
        } else {
            QCOMPARE(bar[i]->toolTip(), tips[i]);
            QVERIFY(!bar[i]->icon().isNull());
        }
    }
    QCOMPARE(bar[0], game[0]);
    QCOMPARE(bar[16], game[7]);
    QVERIFY(bar[9]->isChecked());
    QVERIFY(bar[14]->isChecked());
    QVERIFY(!bar[2]->isEnabled());
    // The window is never narrower than the toolbar, so no button hides behind
    // its overflow arrow, in either language.
    for (const app::Language language : {app::Language::Japanese, app::Language::English}) {
        f->setLanguage(language);
        QCoreApplication::processEvents();
        for (QAction* a : bar) {
            QVERIFY2(a->isSeparator() || form.mainToolbar()->widgetForAction(a)->isVisible(), qPrintable(a->toolTip()));
        }
    }
    f->setLanguage(app::Language::Japanese);

    const QList<QAction*> bar2 = form.boardToolbar()->actions();
    QCOMPARE(bar2.size(), 11);
    QVERIFY(bar2[0]->isSeparator());
    QCOMPARE(bar2[1]->toolTip(), u("上下反転"));
    QCOMPARE(bar2[10]->toolTip(), u("右にシフト"));
    QVERIFY(!form.boardToolbar()->isVisible());
}

void WindowTest::clickPlacesPieceAndDealsNext()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    const GameState& s = f->state();
    int cell = 0;
    while (s.board[static_cast<std::size_t>(cell)] != -1) {
        ++cell;
    }
    const int offered = f->controller().freeGame().offeredPiece();
    f.clickCell(cell);
    QCOMPARE(int(s.board[static_cast<std::size_t>(cell)]), offered);
    QVERIFY(f->controller().freeGame().busy());
    QVERIFY(f->session().output().timerOn(game::Timer::Evaluation));
    // The window's one timer wakes the game for the first frame of the sequence.
    QVERIFY(f->window().wakeTimer().isActive() && f->window().wakeTimer().interval() <= 50);
    // The placement sequence runs, then the next piece is dealt.
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    const int next = f->controller().freeGame().offeredPiece();
    QVERIFY(next >= 0 && next != offered);
    QCOMPARE(f->form().scoreLabel(game::ScoreFrame::MovesLeft)->text(), u("99"));
    // The cell shows the piece: it differs from its empty picture.
    QVERIFY(f->form().board()->grab().toImage() != QImage());
}

void WindowTest::sameShapeIsRefused()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    GameState& s = f->state();
    const int offered = f->controller().freeGame().offeredPiece();
    s.board[10] = static_cast<HyperRoad>(offered);
    const int used = s.movesUsed;
    f.clickCell(10);
    QCOMPARE(QString::fromStdString(f.status()), u("同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。"));
    QCOMPARE(int(s.movesUsed), used);
    QVERIFY(!f->controller().freeGame().busy());
    QVERIFY(!f->session().output().timerOn(game::Timer::Evaluation));
}

void WindowTest::discardFillsTrash()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    const int offered = f->controller().freeGame().offeredPiece();
    QTest::mouseClick(f->form().trash(), Qt::LeftButton);
    QVERIFY(f->session().output().timerOn(game::Timer::AfterDiscard));
    QVERIFY(f->window().wakeTimer().interval() > 50 && f->window().wakeTimer().interval() <= 400);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    QCOMPARE(f->form().trashCount()->text(), u("1"));
    QVERIFY(f->form().trash()->full());
    QVERIFY(f->controller().freeGame().offeredPiece() != offered);
}

void WindowTest::soundOffTwiceWritesOnce()
{
    Fixture f;
    f.startFreeGame();
    QAction* off = f.action(Command::SoundOff);
    off->trigger();
    QVERIFY(off->isChecked());
    QVERIFY(!f.action(Command::SoundOn)->isChecked());
    QCOMPARE(f->settings().get("Options", "PointMode", "?"), std::string("0"));
    f->settings().save("Options", "PointMode", "marker");
    off->trigger(); // already checked: nothing happens, nothing is written
    QVERIFY(off->isChecked());
    QCOMPARE(f->settings().get("Options", "PointMode", "?"), std::string("marker"));
}

void WindowTest::positionIsRememberedAndOffScreenCentred()
{
    QPoint centred;
    {
        Fixture f;
        f->settings().save("Geometry", "Top", "-1");
        f.startFreeGame();
        centred = f->form().pos();
        f->form().move(centred + QPoint(7, 11));
        QVERIFY(f->form().close());
        const long top = std::stol(f->settings().get("Geometry", "Top", "0"));
        QCOMPARE(top % 15, 0L); // twips
    }
    {
        // Same settings (a Fixture clears them, so build the shell by hand).
        QTemporaryDir folder;
        app::GameShell shell({folder.path(), {}});
        shell.start();
        QCOMPARE(shell.form().pos(), centred + QPoint(7, 11));
    }
}

void WindowTest::zoomKeptFromALargerScreenFallsBackToFit()
{
    Fixture f;
    f->settings().save("Options", "Zoom", "3"); // kept from a larger screen
    f->settings().save("Geometry", "Top", "0");
    f->settings().save("Geometry", "Left", "0");
    f.startFreeGame();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = f->form().frameGeometry();
    QVERIFY(f->form().zoom() < 3);
    QVERIFY(frame.width() <= area.width() && frame.height() <= area.height());
    QCOMPARE(frame.topLeft(), area.topLeft());
}

void WindowTest::highScoreWindowCopiesToClipboard()
{
    Fixture f;
    f->settings().save("HighScore3", "Score1", "1234");
    f->settings().save("HighScore3", "Name1", "Hanako <i>x");
    f.startFreeGame();
    QVERIFY(f.action(Command::ClearHighScores)->isEnabled());
    QString caption;
    QString first;
    bool plainName = false; // a typed name is shown as typed, never as markup
    f.boxes.dialogs.push_back([&](QDialog& d) {
        auto* window = qobject_cast<app::HighScoreDialog*>(&d);
        if (window == nullptr) {
            return int(QDialog::Rejected);
        }
        caption = window->windowTitle();
        first = window->nameLabel(0)->text() + u'|' + window->scoreLabel(0)->text();
        plainName = window->nameLabel(0)->textFormat() == Qt::PlainText;
        if (window->copyButton()->isEnabled()) {
            window->copyButton()->click();
        }
        window->okButton()->click();
        return int(QDialog::Accepted);
    });
    f->state().itemCount = 3;
    f.action(Command::HighScores)->trigger();
    QCOMPARE(caption, u("Tavrinのﾊｲｽｺｱ アイテム 3"));
    QCOMPARE(first, u("1: Hanako <i>x|1234"));
    QVERIFY(plainName);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.startsWith(u("Tavrin for Windows(アイテム3)ハイスコア報告です。\n1: Hanako <i>x\n\t\t1234\n")),
             qPrintable(copied));

    // Clearing asks; No keeps the scores but turns the item off.
    f.boxes.answers.push_back(game::Answer::No);
    f.action(Command::ClearHighScores)->trigger();
    QCOMPARE(f.boxes.lastMessage(), u("エコモードのハイスコアを消去してもよいですか？"));
    QCOMPARE(f->settings().get("HighScore3", "Score1", "0"), std::string("1234"));
    QVERIFY(!f.action(Command::ClearHighScores)->isEnabled());
}

namespace {

// Collects the plain-text labels of the next modal box to open, then closes it.
void readNextBox(QStringList& plainTexts)
{
    QTimer::singleShot(0, [&plainTexts] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) {
            readNextBox(plainTexts);
            return;
        }
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->textFormat() == Qt::PlainText) {
                plainTexts.append(label->text());
            }
        }
        box->close();
    });
}

} // namespace

void WindowTest::outsideTextIsShownAsWritten()
{
    const QString name = u("Tester \"Q\" <i>x");
    QStringList plain;
    readNextBox(plain);
    app::MessageRequest message;
    message.text = name + u(".ket") + u("を読み込むことができませんでした。");
    app::showMessage(nullptr, message);
    QVERIFY2(plain.contains(message.text), qPrintable(plain.join(u'|')));

    plain.clear();
    readNextBox(plain);
    app::InputRequest input;
    input.prompt = u("あなたは\"") + name + u("\"での1位になりました。\n名前を入力してください。");
    app::askText(nullptr, input);
    QVERIFY2(plain.contains(input.prompt), qPrintable(plain.join(u'|')));

    // A theme's goal text in the status bar.
    Fixture f;
    f->setStatusText(name.toStdString());
    const auto* status = f->form().statusBar()->findChild<QLabel*>(QStringLiteral("StatusText"));
    QCOMPARE(status->textFormat(), Qt::PlainText);
}

void WindowTest::helpAndVersionBoxes()
{
    Fixture f;
    QDir(f.folder.path()).mkpath(QStringLiteral("help"));
    QFile page(f.file(QStringLiteral("help/index.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>Tavrin help</h1><a name=\"pictures\">pictures</a></body></html>");
    page.close();
    f.startFreeGame();
    QString shown;
    f.boxes.dialogs.push_back([&](QDialog& d) {
        if (auto* help = qobject_cast<app::HelpWindow*>(&d)) {
            shown = help->browser()->toPlainText();
        }
        return int(QDialog::Accepted);
    });
    // F1 reaches the help through the shortcut of the help item.
    QTest::keyClick(&f->form(), Qt::Key_F1);
    QVERIFY2(shown.contains(u("Tavrin help")), qPrintable(shown));
    QCOMPARE(f.boxes.modals.back(), u("tavrin::app::HelpWindow"));

    f.action(Command::About)->trigger();
    QVERIFY(f.boxes.lastMessage().contains(u("Tavrin for Windows")));
    // The box names the version as --version does, every part as it stands.
    QVERIFY2(f.boxes.lastMessage().endsWith(u(" " TAVRIN_VERSION)), qPrintable(f.boxes.lastMessage()));
    QVERIFY(app::versionLine().endsWith(u(" " TAVRIN_VERSION)));
    QVERIFY(app::versionText(u("0.10.0")).endsWith(u(" 0.10.0")));
    QVERIFY(app::versionText(u("0.1.0")).endsWith(u(" 0.1.0")));
}

void WindowTest::exitFromMenuAsksBeforeDroppingEdits()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    f.clickCell(3);
    QTRY_VERIFY(f.settled());
    QVERIFY(!f->editor().collectionSaved());
    f.boxes.answers.push_back(game::Answer::No);
    f.action(Command::Exit)->trigger();
    QCOMPARE(f.boxes.lastMessage(), u("Tavrin for Windowsを終了するとこれまでの変更内容が破棄されますが、よろしいですか？"));
    QCOMPARE(f.boxes.messages.back().icon, game::Icon::Question);
    QVERIFY(f->form().isVisible());
    f.boxes.answers.push_back(game::Answer::Yes);
    f.action(Command::Exit)->trigger();
    QVERIFY(!f->form().isVisible());
}

void WindowTest::commandLineRules()
{
    using app::commandLinePath;
    using app::splitCommandLine;
    QCOMPARE(splitCommandLine(u("  a\t\tb  c ")), (QStringList{u("a"), u("b"), u("c")}));
    QCOMPARE(splitCommandLine(u("1 2 3 4"), 2), (QStringList{u("1"), u("2")}));
    QCOMPARE(commandLinePath(u("/tmp/my puzzles/a b.kem")), u("/tmp/my puzzles/a b.kem"));
    QCOMPARE(commandLinePath(u("\"/tmp/x.kem\"")), u("/tmp/x.kem"));
    // A quoted path with spaces is split first and keeps its quotes.
    QCOMPARE(commandLinePath(u("\"/tmp/a b.kem\"")), u("\"/tmp/a b.kem\""));
    QVERIFY(app::hasPuzzleExtension(u("X.KeM")));
    QVERIFY(!app::hasPuzzleExtension(u("x.kemx")));
    QCOMPARE(app::pathSeparator(u("/")), QString());
    QCOMPARE(app::pathSeparator(u("/opt")), u("/"));
}

void WindowTest::midiTicksBecomeMilliseconds()
{
    using namespace app;
    // Header of a format-1 file with 960 ticks per quarter note.
    const std::string header("MThd\0\0\0\6\0\1\0\2\x03\xC0", 14);
    QCOMPARE(midiDivision(header), 960);
    QCOMPARE(midiDivision("RIFF...."), 0);
    // Two quarter notes: one second at 120 bpm, 0.8 s at 150 bpm.
    QCOMPARE(midiTicksToMs(1920, 960, 500000), 1000L);
    QCOMPARE(midiTicksToMs(1920, 960, 400000), 800L);
    QCOMPARE(midiMsToTicks(800, 960, 400000), 1920L);
    // SMPTE: 25 frames of 40 ticks, one tick a millisecond whatever the tempo.
    const int smpte = midiDivision(std::string("MThd\0\0\0\6\0\0\0\1\xE7\x28", 14));
    QCOMPARE(midiTicksToMs(1500, smpte, 400000), 1500L);
}

void WindowTest::secondInstanceIsRefused()
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("tavrin.lock"));
    app::SingleInstance first(lock);
    QVERIFY(first.acquired());
    app::SingleInstance second(lock);
    QVERIFY(!second.acquired());
}

void WindowTest::noDisplayEndsWithStatusOne()
{
    const QString program = qEnvironmentVariable("TAVRIN_BIN");
    if (program.isEmpty()) {
        QSKIP("TAVRIN_BIN is not set");
    }
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(program, {});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    const QByteArray said = process.readAllStandardError() + process.readAllStandardOutput();
    QCOMPARE(said.count('\n'), 1);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
