// Crisp integer zoom (sizes, click mapping, nearest-neighbour pictures, the
// remembered choice) and the hint command of the free game.
#include "gui_support.h"

#include "app/zoom.h"
#include "engine/hint.h"
#include "game/hint_texts.h"

#include <QLabel>
#include <QMenu>
#include <QToolBar>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

class ZoomHintTest : public QObject {
    Q_OBJECT
private slots:
    // The test screen is small; these tests look at ×2 and ×3 on a large one.
    void init()
    {
        app::setScreenAreaHook([](const QWidget&) { return QRect(0, 0, 5120, 2840); });
    }
    void cleanup() { app::setScreenAreaHook({}); }
    void zoomRules();
    void defaultZoomOnTheTestScreenIsOne();
    void clickAtDoubleZoomMapsToItsCell();
    void windowGrowsAndShrinksWithTheZoom();
    void picturesAreScaledPixelForPixel();
    void zoomIsRemembered();
    void onlyZoomsThatFitTheScreenAreOffered();
    void longStatusTextIsCutAndShownWholeInTheToolTip();
    void hintMarksTheBestCellUntilTheNextMove();
    void hintIsOnlyForTheFreeGame();
    void hintInMenuAndToolbar();
};

void ZoomHintTest::zoomRules()
{
    QCOMPARE(app::defaultZoom(1920, 1040), 1);
    QCOMPARE(app::defaultZoom(2560, 1400), 1);
    QCOMPARE(app::defaultZoom(3840, 2100), 2); // 4K at 100 %
    QCOMPARE(app::defaultZoom(1920, 1040), 1); // 4K at 200 %: Qt already doubles
    QCOMPARE(app::defaultZoom(5120, 2840), 3);
    QCOMPARE(app::defaultZoom(1080, 1900), 1); // portrait: too narrow for ×2
    QCOMPARE(app::defaultZoom(2160, 3800), 2);
    QCOMPARE(app::defaultZoom(nullptr), 1);

    QCOMPARE(app::parseZoom("1"), std::optional<int>(1));
    QCOMPARE(app::parseZoom(" 3 "), std::optional<int>(3));
    QVERIFY(!app::parseZoom("0"));
    QVERIFY(!app::parseZoom("4"));
    QVERIFY(!app::parseZoom("22"));
    QVERIFY(!app::parseZoom(""));
    QVERIFY(!app::parseZoom("x"));
    QCOMPARE(app::zoomText(2), std::string("2"));
    QCOMPARE(app::zoomText(9), std::string("3"));
}

void ZoomHintTest::defaultZoomOnTheTestScreenIsOne()
{
    Fixture f;
    f.startFreeGame();
    QCOMPARE(f->form().zoom(), app::defaultZoom(QGuiApplication::primaryScreen()));
    QCOMPARE(f->form().zoom(), 1); // the offscreen screen is small
    QVERIFY(f->form().zoomAction(1)->isChecked());
    QCOMPARE(f->form().board()->size(), QSize(256, 256));
}

void ZoomHintTest::clickAtDoubleZoomMapsToItsCell()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::MainWindow& form = f->form();
    form.zoomAction(2)->trigger();
    QCOMPARE(form.zoom(), 2);
    QCOMPARE(form.board()->size(), QSize(512, 512));

    // Row 3, column 5: the centre of cell 29 at ×2 is (5·64 + 32, 3·64 + 32).
    const int offered = f->controller().freeGame().offeredPiece();
    QTest::mouseClick(form.board(), Qt::LeftButton, {}, QPoint(352, 224));
    QCOMPARE(int(f->state().board[29]), offered);
    for (int c = 0; c < 64; ++c) {
        if (c != 29) {
            QCOMPARE(int(f->state().board[static_cast<std::size_t>(c)]), -1);
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);

    // The last pixels of a cell still belong to it; the next pixel does not.
    QCOMPARE(app::BoardView::cellAt(QPoint(383, 255), 2), 29);
    QCOMPARE(app::BoardView::cellAt(QPoint(384, 255), 2), 30);
    QCOMPARE(app::BoardView::cellAt(QPoint(320, 192), 2), 29);
    QCOMPARE(app::BoardView::cellAt(QPoint(575, 383), 3), 29);
    QCOMPARE(app::BoardView::cellAt(QPoint(512, 0), 2), -1);
    QCOMPARE(app::BoardView::cellAt(QPoint(767, 767), 3), 63);

    // Hovering maps the same way.
    QTest::mouseMove(form.board(), QPoint(100, 300)); // column 1, row 4
    QTRY_COMPARE(int(f->controller().flow().lastHoverCell), 33);

    // ×3: a click at the very corner of cell 29 and the keyboard cursor.
    form.zoomAction(3)->trigger();
    QCOMPARE(form.board()->size(), QSize(768, 768));
    f->state().board[29] = -1;
    const int next = f->controller().freeGame().offeredPiece();
    QTest::mouseClick(form.board(), Qt::LeftButton, {}, QPoint(5 * 96, 3 * 96));
    QCOMPARE(int(f->state().board[29]), next);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    QCOMPARE(form.board()->cellRect(29), QRect(480, 288, 96, 96));
}

void ZoomHintTest::windowGrowsAndShrinksWithTheZoom()
{
    Fixture f;
    f.startFreeGame();
    app::MainWindow& form = f->form();
    form.zoomAction(1)->trigger(); // the size the contents need at ×1
    const QSize one = form.size();
    QCOMPARE(one, form.sizeHint());
    const QSize tileOne = form.offeredPiece()->size();
    const int fontOne = form.scoreLabel(game::ScoreFrame::Eco)->fontInfo().pixelSize();

    form.zoomAction(2)->trigger();
    const QSize two = form.size();
    QVERIFY2(two.width() > one.width() + 200 && two.height() > one.height() + 200,
             qPrintable(QStringLiteral("%1x%2 -> %3x%4").arg(one.width()).arg(one.height()).arg(two.width()).arg(two.height())));
    QCOMPARE(form.offeredPiece()->size(), tileOne * 2);
    QCOMPARE(form.trash()->size(), tileOne * 2);
    QCOMPARE(form.paletteEntry(11)->size(), tileOne * 2);
    QVERIFY(form.scoreLabel(game::ScoreFrame::Eco)->fontInfo().pixelSize() > fontOne);
    // Everything still fits in the window.
    const QRect boardArea(form.board()->mapTo(&form, QPoint(0, 0)), form.board()->size());
    QVERIFY(form.rect().contains(boardArea));
    const QRect trashArea(form.trash()->mapTo(&form, QPoint(0, 0)), form.trash()->size());
    QVERIFY(form.rect().contains(trashArea));

    form.zoomAction(1)->trigger();
    QCOMPARE(form.size(), one);
    QCOMPARE(form.offeredPiece()->size(), tileOne);
}

void ZoomHintTest::picturesAreScaledPixelForPixel()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::MainWindow& form = f->form();
    const QImage one = form.board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    form.zoomAction(2)->trigger();
    const QImage two = form.board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(two.size(), QSize(512, 512));
    // Each pixel of the 32 x 32 tiles becomes a 2 x 2 block of the same colour.
    int mismatches = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb p = one.pixel(x, y);
            mismatches += (two.pixel(2 * x, 2 * y) != p || two.pixel(2 * x + 1, 2 * y) != p
                           || two.pixel(2 * x, 2 * y + 1) != p || two.pixel(2 * x + 1, 2 * y + 1) != p)
                              ? 1
                              : 0;
        }
    }
    QCOMPARE(mismatches, 0);

    const QImage tileOne = [&] {
        form.zoomAction(1)->trigger();
        return form.offeredPiece()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }();
    form.zoomAction(3)->trigger();
    const QImage tileThree = form.offeredPiece()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(tileThree.size(), tileOne.size() * 3);
    for (int y = 2; y < 34; y += 5) {
        for (int x = 2; x < 34; x += 3) {
            QCOMPARE(tileThree.pixel(3 * x + 2, 3 * y + 1), tileOne.pixel(x, y));
        }
    }
}

void ZoomHintTest::zoomIsRemembered()
{
    {
        Fixture f;
        f.startFreeGame();
        f->form().zoomAction(3)->trigger();
        QCOMPARE(f->settings().get("Options", "Zoom", "?"), std::string("3"));
        QVERIFY(f->form().zoomAction(3)->isChecked());
        QVERIFY(!f->form().zoomAction(1)->isChecked());
        QVERIFY(f->form().close());
    }
    {
        // The same settings (a Fixture clears them, so build the shell by hand).
        QTemporaryDir folder;
        app::ShellOptions options;
        options.programFolder = folder.path();
        app::GameShell shell(options);
        shell.start();
        QCOMPARE(shell.form().zoom(), 3);
        QVERIFY(shell.form().zoomAction(3)->isChecked());
        QCOMPARE(shell.form().board()->size(), QSize(768, 768));
        // A damaged value falls back to the screen's default and is not rewritten.
        shell.settings().save("Options", "Zoom", "9");
    }
    {
        QTemporaryDir folder;
        app::ShellOptions options;
        options.programFolder = folder.path();
        app::GameShell shell(options);
        shell.start();
        QCOMPARE(shell.form().zoom(), 1);
        QCOMPARE(shell.settings().get("Options", "Zoom", "?"), std::string("9"));
    }
}

void ZoomHintTest::onlyZoomsThatFitTheScreenAreOffered()
{
    // A 1280 x 800 desktop: ×3 needs some 1450 pixels of width.
    app::setScreenAreaHook([](const QWidget&) { return QRect(0, 0, 1280, 800); });
    auto fits = [](const app::MainWindow& form) {
        const QSize frame = form.frameGeometry().size();
        return frame.width() <= 1280 && frame.height() <= 800;
    };
    {
        Fixture f;
        f->settings().save("Options", "Zoom", "3"); // kept from a larger screen
        f.startFreeGame();
        app::MainWindow& form = f->form();
        QVERIFY(form.zoom() < 3);
        QVERIFY(fits(form));
        QCOMPARE(f->settings().get("Options", "Zoom", "?"), std::string("3")); // the choice itself is kept
        emit form.zoomMenu()->aboutToShow();
        QVERIFY(!form.zoomAction(3)->isEnabled());
        QVERIFY(form.zoomAction(1)->isEnabled());
        form.zoomAction(3)->trigger();
        QVERIFY(form.zoom() < 3);

        // Moved to a smaller screen: the zoom steps down until the window fits.
        form.zoomAction(1)->trigger();
        app::setScreenAreaHook([](const QWidget&) { return QRect(0, 0, 5120, 2840); });
        emit form.zoomMenu()->aboutToShow();
        QVERIFY(form.zoomAction(3)->isEnabled());
        form.zoomAction(3)->trigger();
        QCOMPARE(form.zoom(), 3);
        app::setScreenAreaHook([](const QWidget&) { return QRect(0, 0, 1280, 800); });
        app::fitZoomToScreen(form);
        QVERIFY(form.zoom() < 3);
        QVERIFY(fits(form));
    }
}

void ZoomHintTest::longStatusTextIsCutAndShownWholeInTheToolTip()
{
    Fixture f;
    f.startFreeGame();
    app::StatusText* status = f->form().statusLabel();
    const QString whole = QString(u'x').repeated(400);
    f->setStatusText(whole.toStdString());
    QCoreApplication::processEvents();
    QCOMPARE(status->text(), whole);
    QVERIFY(status->shownText() != whole);
    QVERIFY(status->shownText().endsWith(QChar(0x2026)));
    QVERIFY(status->fontMetrics().horizontalAdvance(status->shownText()) <= status->contentsRect().width());
    QCOMPARE(status->toolTip(), whole);
    f->setStatusText(std::string("short"));
    QCOMPARE(status->shownText(), u("short"));
    QVERIFY(status->toolTip().isEmpty());
}

void ZoomHintTest::hintMarksTheBestCellUntilTheNextMove()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    for (int cell : {18, 19, 27}) {
        f.clickCell(cell);
        QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    }
    const game::FreeGame& game = f->controller().freeGame();
    const auto expected = bestPlacement(f->state(), static_cast<HyperRoad>(game.offeredPiece()), game.nextMoveFree());
    QVERIFY(expected.has_value());
    const auto boardBefore = f->state().board;
    const int movesBefore = f->state().movesUsed;
    const QString labelBefore = f->form().scoreLabel(game::ScoreFrame::Eco)->text();

    app::BoardView* board = f->form().board();
    QCOMPARE(board->hintCell(), -1);
    f.action(Command::Hint)->trigger();
    QCOMPARE(board->hintCell(), expected->cell);
    QCOMPARE(f.status(), game::hintText(*expected).japanese());
    QVERIFY(QString::fromStdString(f.status()).startsWith(u("ヒント：")));
    // Costs nothing.
    QCOMPARE(f->state().board, boardBefore);
    QCOMPARE(int(f->state().movesUsed), movesBefore);
    QCOMPARE(f->form().scoreLabel(game::ScoreFrame::Eco)->text(), labelBefore);
    QVERIFY(f.settled());

    // The mark is drawn over the board: an orange frame inside a dark rim.
    const QImage shown = board->grab().toImage();
    const QRect r = board->cellRect(expected->cell);
    QCOMPARE(QColor(shown.pixel(r.topLeft() + QPoint(1, 1))), QColor(255, 150, 20));

    // The next move takes it away (laid on another cell than the hinted one).
    const int other = expected->cell == 0 ? 63 : 0;
    f->state().board[static_cast<std::size_t>(other)] = -1;
    f.clickCell(other);
    QCOMPARE(board->hintCell(), -1);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    const QImage after = board->grab().toImage();
    QVERIFY(QColor(after.pixel(r.topLeft() + QPoint(1, 1))) != QColor(255, 150, 20));

    // F3 asks again; a discard takes it away too.
    QTest::keyClick(&f->form(), Qt::Key_F3);
    QVERIFY(board->hintCell() >= 0);
    QTest::mouseClick(f->form().trash(), Qt::LeftButton);
    QCOMPARE(board->hintCell(), -1);
    // While the discard is under way the hint is not given.
    f.action(Command::Hint)->trigger();
    QCOMPARE(board->hintCell(), -1);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
}

void ZoomHintTest::hintIsOnlyForTheFreeGame()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    QAction* hint = f.action(Command::Hint);
    QVERIFY(hint->isEnabled());
    hint->trigger();
    QVERIFY(f->form().board()->hintCell() >= 0);

    // Into the editor: no hint, no stale mark.
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    QVERIFY(!hint->isEnabled());
    QCOMPARE(f->form().board()->hintCell(), -1);
    f->controller().command(Command::Hint);
    QCOMPARE(f->form().board()->hintCell(), -1);

    // Back to the free game.
    f.action(Command::PlayMode)->trigger();
    QVERIFY(!f->state().editMode);
    QVERIFY(hint->isEnabled());

    // At ×2 the mark sits on the zoomed cell.
    f->form().zoomAction(2)->trigger();
    hint->trigger();
    const int cell = f->form().board()->hintCell();
    QVERIFY(cell >= 0);
    QCOMPARE(f->form().board()->cellRect(cell).size(), QSize(64, 64));
    const QImage shown = f->form().board()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(f->form().board()->cellRect(cell).topLeft() + QPoint(2, 2))), QColor(255, 150, 20));
}

void ZoomHintTest::hintInMenuAndToolbar()
{
    Fixture f;
    f.startFreeGame();
    app::MainWindow& form = f->form();
    QAction* hint = f.action(Command::Hint);
    QCOMPARE(hint->text(), u("ヒント(&I)"));
    QCOMPARE(hint->shortcut(), QKeySequence(Qt::Key_F3));

    // In the Game menu before the exit item, which stays last.
    const QList<QAction*> game = form.menu(game::Menu::Game)->actions();
    QCOMPARE(game.size(), 17);
    QCOMPARE(game[11], hint);
    QVERIFY(game[10]->isSeparator());
    QVERIFY(game[12]->isSeparator());
    QCOMPARE(game[16], f.action(Command::Exit));

    // After the eighteen buttons of the main toolbar, behind a separator.
    const QList<QAction*> bar = form.mainToolbar()->actions();
    QCOMPARE(bar.size(), 20);
    QVERIFY(bar[18]->isSeparator());
    QCOMPARE(bar[19], hint);
    QCOMPARE(hint->toolTip(), u("ヒント"));
    QVERIFY(!hint->icon().isNull());

    // The toolbar button gives the same hint as the menu item.
    QTRY_VERIFY(f.settled());
    QTest::mouseClick(form.mainToolbar()->widgetForAction(hint), Qt::LeftButton);
    QVERIFY(form.board()->hintCell() >= 0);
    QVERIFY(f.boxes.messages.isEmpty());

    // The zoom choice in the options menu.
    QCOMPARE(form.zoomMenu()->title(), u("表示倍率(&Z)"));
    QCOMPARE(form.zoomMenu()->actions().size(), 3);
    QCOMPARE(form.zoomAction(2)->text(), u("×2(&2)"));
    const QList<QAction*> options = form.menu(game::Menu::Options)->actions();
    QCOMPARE(options.size(), 17);
    QVERIFY(options[14]->isSeparator());
    QCOMPARE(options[15]->menu(), form.zoomMenu());
    QCOMPARE(options[16]->menu(), form.languageMenu());
}

QTEST_MAIN(ZoomHintTest)
#include "zoom_hint_test.moc"
