// Keyboard play: the cell cursor, placing and discarding by key, palette keys
// in the editor, and menus that the keyboard reaches.
#include "gui_support.h"

#include "app/board_keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolBar>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

namespace {

void press(QWidget* widget, Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {})
{
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(widget, key, modifiers);
    }
}

// Shows the cursor and walks it from wherever it is to `cell`.
void cursorTo(app::BoardView* board, int cell)
{
    press(board, Qt::Key_Left); // the first key shows the cursor only
    press(board, Qt::Key_Left, 8);
    press(board, Qt::Key_Up, 8);
    press(board, Qt::Key_Right, cell % 8);
    press(board, Qt::Key_Down, cell / 8);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void keyMapping();
    void cursorMovesAndClampsAtTheEdges();
    void cursorIsDrawnOverTheBoard();
    void mouseHidesTheCursorAndLendsItsCell();
    void spaceAndEnterPlaceTheOfferedPiece();
    void placingKeyOnAHiddenCursorOnlyShowsIt();
    void deleteAndBackspaceDiscard();
    void paletteKeysSelectEntriesInTheEditor();
    void keysSentToTheWindowReachTheBoard();
    void typingInTheCommentBoxPlacesNothing();
    void everyMenuItemHasAMnemonic();
    void boardToolsAreInTheEditMenu();
};

// The desktop's keys and the page's (by their KeyboardEvent.key names) are
// the same game keys, and mean what keyboard play says.
void KeyboardTest::keyMapping()
{
    using game::Key;
    using Kind = game::KeyMeaning::Kind;
    struct Row {
        int qt;
        Qt::KeyboardModifiers modifiers;
        const char* browser;
        Kind kind;
        int dx, dy, entry;
    };
    const Row rows[] = {
        {Qt::Key_Left, {}, "ArrowLeft", Kind::MoveCursor, -1, 0, -1},
        {Qt::Key_Down, {}, "ArrowDown", Kind::MoveCursor, 0, 1, -1},
        {Qt::Key_Enter, Qt::KeypadModifier, "Enter", Kind::Place, 0, 0, -1},
        {Qt::Key_Space, {}, " ", Kind::Place, 0, 0, -1},
        {Qt::Key_Backspace, {}, "Backspace", Kind::Discard, 0, 0, -1},
        {Qt::Key_0, {}, "0", Kind::Palette, 0, 0, 0},
        {Qt::Key_9, Qt::KeypadModifier, "9", Kind::Palette, 0, 0, 9},
        {Qt::Key_Minus, {}, "-", Kind::Palette, 0, 0, 10},
        {Qt::Key_Equal, Qt::ShiftModifier, "=", Kind::Palette, 0, 0, 11},
        {Qt::Key_AsciiCircum, {}, "^", Kind::Palette, 0, 0, 11},
    };
    for (const Row& row : rows) {
        const std::optional<Key> desktop = app::boardKey(row.qt, row.modifiers);
        QVERIFY(desktop.has_value());
        QCOMPARE(int(*desktop), int(*game::browserKey(row.browser)));
        const game::KeyMeaning meaning = game::keyMeaning(*desktop);
        QCOMPARE(int(meaning.kind), int(row.kind));
        QCOMPARE(meaning.dx, row.dx);
        QCOMPARE(meaning.dy, row.dy);
        if (row.kind == Kind::Palette) {
            QCOMPARE(meaning.entry, row.entry);
        }
    }
    // F1 to F3 are the commands' shortcuts: the desktop's menus take them,
    // the page hands them to the game, which finds the same commands.
    QCOMPARE(std::string(game::keyMeaning(*game::browserKey("F2")).shortcut), std::string("F2"));
    // Shortcuts and mnemonics stay with the menus.
    QVERIFY(!app::boardKey(Qt::Key_3, Qt::ControlModifier));
    QVERIFY(!app::boardKey(Qt::Key_Left, Qt::AltModifier));
    QVERIFY(!app::boardKey(Qt::Key_A, {}));
    QVERIFY(!game::browserKey("a"));

    QCOMPARE(game::steppedCell(0, -1, 0), 0);
    QCOMPARE(game::steppedCell(7, 1, 0), 7);
    QCOMPARE(game::steppedCell(56, 0, -1), 48);
    QCOMPARE(game::steppedCell(8, -1, 0), 8); // no wrap into the row above
}

void KeyboardTest::cursorMovesAndClampsAtTheEdges()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();
    QVERIFY(!board->cursorShown());

    press(board, Qt::Key_Right);
    QVERIFY(board->cursorShown());
    QCOMPARE(board->cursorCell(), 0); // shown where it was, not moved

    press(board, Qt::Key_Right, 3);
    QCOMPARE(board->cursorCell(), 3);
    press(board, Qt::Key_Up);
    QCOMPARE(board->cursorCell(), 3);
    press(board, Qt::Key_Right, 12);
    QCOMPARE(board->cursorCell(), 7);
    press(board, Qt::Key_Down, 12);
    QCOMPARE(board->cursorCell(), 63);
    press(board, Qt::Key_Left, 2);
    QCOMPARE(board->cursorCell(), 61);
    press(board, Qt::Key_Left, 12);
    QCOMPARE(board->cursorCell(), 56);
    press(board, Qt::Key_Up);
    QCOMPARE(board->cursorCell(), 48);

    // The loop-length label follows the cursor as it follows the mouse.
    QCOMPARE(int(f->controller().flow().lastHoverCell), 48);
    // A ring of four on cells 40, 41, 48 and 49.
    GameState& s = f->state();
    s.board[40] = 4;
    s.board[41] = 5;
    s.board[48] = 3;
    s.board[49] = 2;
    press(board, Qt::Key_Up);
    QCOMPARE(f->form().loopLengthLabel()->text(), u("最小ループ長：4"));
    press(board, Qt::Key_Right, 3);
    QCOMPARE(f->form().loopLengthLabel()->text(), u("最小ループ長：0"));
    // Nothing was placed by moving.
    QCOMPARE(int(s.movesUsed), 0);
}

void KeyboardTest::cursorIsDrawnOverTheBoard()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();
    const QImage before = board->grab().toImage();
    cursorTo(board, 18);
    const QImage with = board->grab().toImage();
    const QRect r = board->cellRect(18);
    QCOMPARE(QColor(with.pixel(r.topLeft())), QColor(Qt::black));
    QCOMPARE(QColor(with.pixel(r.topLeft() + QPoint(1, 1))), QColor(Qt::white));
    // Only the cursor cell differs; the tile below shows through in its middle.
    QCOMPARE(with.pixel(r.center()), before.pixel(r.center()));
    const QRect other = board->cellRect(45);
    QCOMPARE(with.pixel(other.topLeft()), before.pixel(other.topLeft()));
}

void KeyboardTest::mouseHidesTheCursorAndLendsItsCell()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();
    cursorTo(board, 9);
    QVERIFY(board->cursorShown());
    QTest::mouseMove(board, app::BoardView::cellCentre(20));
    QTRY_VERIFY(!board->cursorShown());
    QCOMPARE(board->cursorCell(), 20);
    press(board, Qt::Key_Down);
    QVERIFY(board->cursorShown());
    QCOMPARE(board->cursorCell(), 20);
    press(board, Qt::Key_Down);
    QCOMPARE(board->cursorCell(), 28);
}

void KeyboardTest::spaceAndEnterPlaceTheOfferedPiece()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();
    const GameState& s = f->state();

    cursorTo(board, 10);
    int offered = f->controller().freeGame().offeredPiece();
    press(board, Qt::Key_Space);
    QCOMPARE(int(s.board[10]), offered);
    QVERIFY(f->controller().freeGame().busy());
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    QCOMPARE(int(s.movesUsed), 1);
    QCOMPARE(f->form().scoreLabel(game::ScoreFrame::MovesLeft)->text(), u("99"));

    press(board, Qt::Key_Right);
    offered = f->controller().freeGame().offeredPiece();
    press(board, Qt::Key_Return);
    QCOMPARE(int(s.board[11]), offered);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);

    press(board, Qt::Key_Down);
    offered = f->controller().freeGame().offeredPiece();
    press(board, Qt::Key_Enter, 1, Qt::KeypadModifier);
    QCOMPARE(int(s.board[19]), offered);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    QCOMPARE(int(s.movesUsed), 3);

    // The same-shape rule holds as for a click.
    press(board, Qt::Key_Up);
    f->state().board[11] = f->controller().freeGame().offeredPiece();
    press(board, Qt::Key_Space);
    QCOMPARE(QString::fromStdString(f.status()), u("同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。"));
    QCOMPARE(int(s.movesUsed), 3);
}

void KeyboardTest::placingKeyOnAHiddenCursorOnlyShowsIt()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();
    press(board, Qt::Key_Space);
    QVERIFY(board->cursorShown());
    QVERIFY(!f->controller().freeGame().busy());
    QCOMPARE(int(f->state().board[0]), -1);
    press(board, Qt::Key_Space);
    QVERIFY(f->controller().freeGame().busy());
    QVERIFY(f->state().board[0] >= 0);
}

void KeyboardTest::deleteAndBackspaceDiscard()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();
    const int offered = f->controller().freeGame().offeredPiece();
    press(board, Qt::Key_Delete);
    QVERIFY(f->session().output().timerOn(game::Timer::AfterDiscard));
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    QCOMPARE(f->form().trashCount()->text(), u("1"));
    QVERIFY(f->controller().freeGame().offeredPiece() != offered);
    QVERIFY(!board->cursorShown()); // discarding needs no cursor

    press(board, Qt::Key_Backspace);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
    QCOMPARE(f->form().trashCount()->text(), u("2"));
    QCOMPARE(int(f->state().movesUsed), 2);

    // In the editor there is no trash: the key does nothing.
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    press(board, Qt::Key_Delete);
    QVERIFY(!f->session().output().timerOn(game::Timer::AfterDiscard));
}

void KeyboardTest::paletteKeysSelectEntriesInTheEditor()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::BoardView* board = f->form().board();

    // In the free game the palette is hidden: digits do nothing.
    press(board, Qt::Key_5);
    QCOMPARE(int(f->state().selectedShape), 0);

    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    for (auto [key, entry] : {std::pair{Qt::Key_3, 3}, std::pair{Qt::Key_0, 0}, std::pair{Qt::Key_9, 9},
                              std::pair{Qt::Key_Minus, 10}, std::pair{Qt::Key_Equal, 11}, std::pair{Qt::Key_7, 7}}) {
        press(board, key);
        QCOMPARE(int(f->state().selectedShape), entry);
        for (int e = 0; e < app::kPaletteSize; ++e) {
            QCOMPARE(f->form().paletteEntry(e)->border(), e == entry);
        }
    }
    // With Ctrl held the key is not a palette key (as a Ctrl-click is ignored).
    press(board, Qt::Key_2, 1, Qt::ControlModifier);
    QCOMPARE(int(f->state().selectedShape), 7);
    // A disabled entry cannot be picked by key any more than by mouse.
    f->session().input([&] { f->session().output().screen().setPaletteEnabled(4, false); });
    press(board, Qt::Key_4);
    QCOMPARE(int(f->state().selectedShape), 7);

    // Clicking an editor option does not take the keys from the board.
    f->form().activateWindow();
    board->setFocus();
    QTRY_COMPARE(f->form().focusWidget(), static_cast<QWidget*>(board));
    QTest::mouseClick(f->form().editorOption(game::EditorOption::Normal), Qt::LeftButton);
    QCOMPARE(f->form().focusWidget(), static_cast<QWidget*>(board));

    // The picked shape is laid on the cursor cell.
    cursorTo(board, 12);
    press(board, Qt::Key_Space);
    QTRY_VERIFY(f.settled());
    QCOMPARE(int(f->state().board[12]), 7);
}

void KeyboardTest::keysSentToTheWindowReachTheBoard()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::MainWindow& form = f->form();
    press(&form, Qt::Key_Down);
    press(&form, Qt::Key_Down);
    QVERIFY(form.board()->cursorShown());
    QCOMPARE(form.board()->cursorCell(), 8);
    const int offered = f->controller().freeGame().offeredPiece();
    press(&form, Qt::Key_Space);
    QCOMPARE(int(f->state().board[8]), offered);
    QTRY_VERIFY_WITH_TIMEOUT(!f->controller().freeGame().busy(), 3000);
}

void KeyboardTest::typingInTheCommentBoxPlacesNothing()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    app::BoardView* board = f->form().board();
    cursorTo(board, 5);
    QLineEdit* comment = f->form().commentBox();
    QVERIFY(comment->isVisible());
    f->form().activateWindow();
    comment->setFocus();
    QTRY_COMPARE(f->form().focusWidget(), static_cast<QWidget*>(comment));
    press(comment, Qt::Key_8);
    QCOMPARE(int(f->state().selectedShape), 0); // the digit went into the text
    // Return is left unhandled by the box and reaches the window: no placement.
    press(comment, Qt::Key_Return);
    QTest::qWait(100);
    QVERIFY(f.settled());
    QCOMPARE(int(f->state().board[5]), -1);
}

void KeyboardTest::everyMenuItemHasAMnemonic()
{
    Fixture f;
    f.startFreeGame();
    QList<QMenu*> menus;
    for (QAction* top : f->form().menuBar()->actions()) {
        QVERIFY2(top->text().contains(u'&'), qPrintable(top->text()));
        menus.append(top->menu());
    }
    menus.append(f->form().zoomMenu());
    menus.append(f->form().boardMenu());
    int items = 0;
    for (QMenu* menu : menus) {
        QVERIFY(menu != nullptr);
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator()) {
                QVERIFY2(a->text().contains(u'&'), qPrintable(a->text()));
                ++items;
            }
        }
    }
    QVERIFY(items >= 38);
}

void KeyboardTest::boardToolsAreInTheEditMenu()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    app::MainWindow& form = f->form();
    QMenu* tools = form.boardMenu();
    const QList<QAction*> edit = form.menu(game::Menu::Edit)->actions();
    QCOMPARE(edit.back()->menu(), tools);
    QCOMPARE(tools->title(), u("盤の変形(&B)"));

    // The very actions of the board toolbar, grouped as there.
    QList<QAction*> inMenu;
    for (QAction* a : tools->actions()) {
        if (!a->isSeparator()) {
            inMenu.append(a);
        }
    }
    QList<QAction*> onBar;
    for (QAction* a : form.boardToolbar()->actions()) {
        if (!a->isSeparator()) {
            onBar.append(a);
        }
    }
    QCOMPARE(inMenu, onBar);
    QCOMPARE(tools->actions().size(), 10);
    QVERIFY(tools->actions()[2]->isSeparator());
    QVERIFY(tools->actions()[5]->isSeparator());
    QCOMPARE(f.action(Command::ShiftLeft)->text(), u("左にシフト(&A)"));
    QCOMPARE(f.action(Command::ShiftLeft)->toolTip(), u("左にシフト"));
    QVERIFY(!tools->isEnabled()); // no board toolbar in the free game

    // In the editor it follows the board toolbar, and does what the button does.
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    QCOMPARE(tools->isEnabled(), form.boardToolbar()->isEnabled());
    f.pressPalette(4);
    f.clickCell(9);
    QTRY_VERIFY(f.settled());
    QCOMPARE(int(f->state().board[9]), 4);
    QVERIFY(form.boardToolbar()->isEnabled());
    QVERIFY(tools->isEnabled());
    f.action(Command::ShiftLeft)->trigger();
    QCOMPARE(int(f->state().board[8]), 4);
    QCOMPARE(int(f->state().board[9]), -1);
    f->session().input([&] { f->session().output().screen().setBoardToolbarEnabled(false); });
    QVERIFY(!tools->isEnabled());
    f->session().input([&] { f->session().output().screen().setBoardToolbarEnabled(true); });
    QVERIFY(tools->isEnabled());

    f.action(Command::PlayMode)->trigger();
    QVERIFY(!f->state().editMode);
    QVERIFY(!tools->isEnabled());
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
