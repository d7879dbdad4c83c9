#include "game/editor.h"

#include "engine/analysis.h"
#include "engine/goals.h"
#include "engine/scoring.h"
#include "game/editor_texts.h"
#include "game/flow_texts.h"
#include "puzzles/board_tools.h"
#include "puzzles/kem_names.h"

namespace tavrin::game {

namespace {

// Board-toolbar button of each board-tool command.
int toolButton(Command command)
{
    switch (command) {
    case Command::MirrorTopBottom: return 2;
    case Command::MirrorLeftRight: return 3;
    case Command::TurnLeft: return 5;
    case Command::TurnRight: return 6;
    case Command::ShiftLeft: return 8;
    case Command::ShiftUp: return 9;
    case Command::ShiftDown: return 10;
    case Command::ShiftRight: return 11;
    default: return 0;
    }
}

// Clears a flag when the handler ends, whichever way it ends.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

} // namespace

Editor::Editor(GameController& controller)
    : ctl_(controller), s_(controller.state()), w_(controller.window()), collection_(controller.state())
{
}

// --- entering edit mode ---------------------------------------------------------------

void Editor::enterEditMode()
{
    if (s_.puzzleSeries) {
        return;
    }
    if (s_.editMode) {
        // Already editing: starting over would throw the collection away and
        // overwrite the suspended free game with the editor's board.
        w_.setCommandChecked(Command::EditMode, true);
        w_.setCommandChecked(Command::PlayMode, false);
        return;
    }
    FlowState& flow = ctl_.flow();

    s_.puzzleCount = 0;
    ctl_.SuspendFreeGame();

    s_.editMode = true;
    s_.modeSettingActive = false;

    flow.savedStatusText = w_.statusText();
    w_.setStatusText("");

    if (w_.windowCaption() != kProductTitle) {
        w_.setWindowCaption(kProductTitle);
    }

    w_.setCommentVisible(true);
    w_.setCommentReadOnly(false);
    w_.setPanelVisible(Panel::EditorOptions, true);
    ctl_.StopFreeGameMusic();

    w_.setCommandChecked(Command::EcoMode, false);
    w_.setCommandEnabled(Command::EcoMode, false);
    w_.setCommandEnabled(Command::FullConnection, true);
    w_.setCommandEnabled(Command::BigLoop, true);
    w_.setMenuEnabled(Menu::Edit, true);
    w_.setCommandChecked(Command::EditMode, true);
    w_.setCommandChecked(Command::PlayMode, false);

    w_.setCommandImage(Command::NewGame, kNewPuzzleImage);
    w_.setCommandToolTip(Command::NewGame, kNewPuzzleToolTip);
    w_.setCommandCaption(Command::NewGame, kNewPuzzleCaption);

    collection_.startBlank();
    w_.setSpinnerEnabled(true);
    showSpinner();
    w_.setCommentText(trimComment(collection_.current().comment));

    w_.setPanelVisible(Panel::FreeGame, false);
    w_.setPanelVisible(Panel::Palette, true);
    w_.setPanelVisible(Panel::BoardToolbar, true);
    drawPalette();
    showPaletteSelection();

    w_.setCommandVisible(Command::GameSeparator, false);
    w_.setCommandChecked(Command::FullConnection, false);
    w_.setCommandChecked(Command::BigLoop, false);

    flow.offeredPieceSave = flow.offeredPiece;
    flow.offeredPiece = -1;
    flow.movesUsedSave = s_.movesUsed;
    s_.movesUsed = 96;

    ctl_.showNewBoard();
    refreshEditCommands();
}

void Editor::drawPalette()
{
    for (int e = 0; e < kPieceKinds; ++e) {
        TileDraw t;
        t.target = TileTarget::PaletteEntry;
        t.index = e;
        t.piece = e;
        t.step = 3;
        t.present = true;
        w_.setPaletteEnabled(e, true);
        w_.drawTile(t);
    }
    w_.setPaletteEnabled(kEraser, true);
    w_.setPaletteVisible(kEraser, true);
}

void Editor::showPaletteSelection()
{
    if (s_.selectedShape < 0 || s_.selectedShape > kEraser) {
        s_.selectedShape = 0;
    }
    for (int e = 0; e <= kEraser; ++e) {
        w_.setPaletteBorder(e, e == s_.selectedShape);
    }
}

// --- showing the collection -------------------------------------------------------------

void Editor::showPuzzleNumber()
{
    w_.setSpinnerLabel(collection_.puzzleNumberText());
}

void Editor::showSpinner()
{
    w_.setSpinnerRange(0, collection_.maximum());
    w_.setSpinnerValue(collection_.position());
    showPuzzleNumber();
}

void Editor::showCurrentPuzzle()
{
    showSpinner();
    showGameMode();
    w_.setCommentText(trimComment(collection_.current().comment));
    ctl_.showNewBoard();
}

void Editor::showGameMode()
{
    const GameMode mode = collection_.current().mode;
    if (mode != kNoMode && mode != kFullConnection && mode != kBigLoop) {
        return;
    }
    w_.setCommandChecked(Command::FullConnection, mode == kFullConnection);
    w_.setCommandChecked(Command::BigLoop, mode == kBigLoop);
}

void Editor::syncCommands()
{
    const EditCommandStates& c = collection_.commands();
    w_.setCommandEnabled(Command::Undo, c.undo);
    w_.setCommandEnabled(Command::Cut, c.cut);
    w_.setCommandEnabled(Command::Copy, c.copy);
    w_.setCommandEnabled(Command::Paste, c.paste);
    w_.setCommandEnabled(Command::Delete, c.remove);
    // One command stands for the save item and toolbar button 7; without a
    // file name it saves under a new name, as the button does.
    w_.setCommandEnabled(Command::Save, c.saveButton || c.saveItem);
    w_.setCommandEnabled(Command::SaveAs, c.saveAsItem);
    w_.setBoardToolbarEnabled(c.boardTools);
}

void Editor::refreshEditCommands()
{
    collection_.refreshEditCommands();
    syncCommands();
}

void Editor::disableUndo()
{
    collection_.disableUndo();
    w_.setCommandEnabled(Command::Undo, false);
}

// --- collection commands ------------------------------------------------------------------

bool Editor::mayInterruptGoalSetting()
{
    return !s_.modeSettingActive || ctl_.passGoalSettingGuard() != 0;
}

void Editor::newPuzzle()
{
    if (!s_.editMode || !mayInterruptGoalSetting()) {
        return;
    }
    disableUndo();
    if (!collection_.addPuzzle()) {
        w_.messageBox(kPuzzleLimitText, "", Buttons::Ok, Icon::Warning);
        return;
    }
    showCurrentPuzzle();
    w_.setStatusText("");
    syncCommands();
}

void Editor::editCommand(Command command)
{
    if (!s_.editMode) {
        return;
    }
    const EditCommandStates& c = collection_.commands();
    switch (command) {
    case Command::Undo:
        if (c.undo && mayInterruptGoalSetting() && collection_.undoEdit()) {
            showCurrentPuzzle();
        }
        break;
    case Command::Cut:
        if (c.cut && mayInterruptGoalSetting()) {
            collection_.cutPuzzle();
            showCurrentPuzzle();
        }
        break;
    case Command::Copy:
        if (c.copy) {
            collection_.copyPuzzle();
        }
        break;
    case Command::Paste:
        if (c.paste && mayInterruptGoalSetting() && collection_.pastePuzzle()) {
            showCurrentPuzzle();
        }
        break;
    case Command::Delete:
        if (c.remove && mayInterruptGoalSetting()) {
            collection_.deletePuzzle();
            showCurrentPuzzle();
        }
        break;
    default:
        if (toolButton(command) != 0) {
            boardTool(command);
        }
        return;
    }
    syncCommands();
}

void Editor::boardTool(Command command)
{
    // A board turned or shifted in the middle of goal setting would no longer
    // hold the solution the target was measured on.
    if (!collection_.commands().boardTools || !mayInterruptGoalSetting()) {
        return;
    }
    if (confirmReplacingGoal() == 0) {
        return;
    }
    collection_.takeUndoSnapshot(false);
    applyBoardToolButton(s_.board, toolButton(command));
    collection_.storeBoard();
    ctl_.showNewBoard();
    collection_.markEdited();
    syncCommands();
}

// --- navigation and the comment box -------------------------------------------------------------

void Editor::spinnerChanged(int value)
{
    if (navigating_ || !s_.editMode) {
        return;
    }
    FlagGuard busy(navigating_);
    disableUndo();
    if (ctl_.passGoalSettingGuard() == 0) {
        // The board and the comment stay on the previous puzzle: so does the spinner.
        w_.setSpinnerValue(collection_.position());
        return;
    }
    collection_.moveTo(value);
    showCurrentPuzzle();
    w_.setStatusText("");
    refreshEditCommands();
}

void Editor::commentEdited(const std::string& text)
{
    if (s_.editMode && collection_.typeComment(text)) {
        w_.setCommandEnabled(Command::Undo, true);
    }
}

// --- goal setting -------------------------------------------------------------------------------

std::int16_t Editor::confirmReplacingGoal()
{
    Puzzle& p = collection_.current();
    if (p.mode == kNoMode) {
        return 1;
    }
    if (w_.messageBox(kReplaceModeQuestion, "", Buttons::YesNo, Icon::Question) == Answer::Yes) {
        p.mode = kNoMode;
        collection_.markEdited();
        showGameMode();
        return -1;
    }
    showGameMode();
    return 0;
}

void Editor::askForComment()
{
    if (!startsWithDefaultComment(w_.commentText())) {
        return;
    }
    const std::optional<std::string> answer = w_.inputBox(kCommentPrompt, kProductTitle, "");
    const std::string text = trimComment(answer.value_or(""));
    w_.setCommentText(text);
    collection_.setComment(text);
}

// Pressing a mode command again on a puzzle of that mode takes the mode away.
void Editor::switchModeOff(Puzzle& p)
{
    collection_.takeUndoSnapshot(false);
    p.mode = kNoMode;
    showGameMode();
    collection_.markEdited();
    syncCommands();
}

void Editor::fullConnectionGoalCommand()
{
    if (!s_.editMode) {
        return;
    }
    Puzzle& p = collection_.current();
    if (p.mode == kFullConnection) {
        switchModeOff(p);
        return;
    }
    if (confirmReplacingGoal() == 0) {
        return;
    }
    s_.analysisKind = 0;
    const int groups = networkAnalysis(s_);
    if (!fullConnectionStartValid(groups)) {
        w_.setStatusText(kNeedTwoGroupsText);
        showGameMode();
        return;
    }
    collection_.takeUndoSnapshot(false);
    p.mode = kFullConnection;
    askForComment();
    collection_.current().comment = fitComment(w_.commentText());
    showGameMode();
    w_.setStatusText("");
    collection_.markEdited();
    syncCommands();
}

void Editor::bigLoopGoalCommand()
{
    if (!s_.editMode) {
        return;
    }
    Puzzle& p = collection_.current();
    if (p.mode == kBigLoop) {
        switchModeOff(p);
        return;
    }
    if (confirmReplacingGoal() == 0) {
        return;
    }
    s_.analysisKind = 1;
    s_.loopTarget = networkAnalysis(s_);
    if (!bigLoopStartValid(s_.loopTarget)) {
        w_.setStatusText(kNeedLoopPointsText);
        showGameMode();
        return;
    }
    w_.setStatusText(showLoopTarget(s_));
    s_.modeSettingActive = true;
    w_.setSpinnerEnabled(false);
}

void Editor::bigLoopSettingCompleted()
{
    if (!s_.editMode) {
        return;
    }
    collection_.storeBoard();
    collection_.takeUndoSnapshot(false);
    w_.setSpinnerEnabled(true);
    collection_.current().mode = kBigLoop;
    w_.setStatusText("");
    askForComment();
    collection_.current().comment = fitComment(w_.commentText());
    showGameMode();
    collection_.markEdited();
    s_.modeSettingActive = false;
    syncCommands();
}

// --- the board and the palette -----------------------------------------------------------------

std::optional<EditPlacement> Editor::placeOnCell(int cell)
{
    if (!s_.editMode || !isCell(cell) || s_.selectedShape < 0 || s_.selectedShape > kEraser) {
        return std::nullopt;
    }
    if (confirmReplacingGoal() == 0) {
        return std::nullopt;
    }
    if (holdsSelectedShape(s_, cell)) {
        return std::nullopt;
    }
    collection_.takeUndoSnapshot(false);
    EditPlacement placed;
    placed.oldPiece = s_.board[cell];
    placed.newPiece = s_.selectedShape == kEraser ? kEmpty : s_.selectedShape;
    s_.board[cell] = placed.newPiece;
    collection_.current().cells[static_cast<std::size_t>(cell)] = placed.newPiece;
    if (s_.modeSettingActive) {
        s_.analysisKind = 1;
    }
    placed.scoreAfter = networkAnalysis(s_);
    collection_.markEdited();
    const bool cutEnabled = collection_.commands().cut;
    if ((placed.newPiece == kEmpty && cutEnabled) || (placed.newPiece != kEmpty && !cutEnabled)) {
        collection_.refreshEditCommands();
    }
    syncCommands();
    return placed;
}

void Editor::pickRandomShape()
{
    s_.selectedShape = ::tavrin::pickRandomShape(s_.selectedShape, [this] { return ctl_.random().next(); });
    showPaletteSelection();
}

// --- files ------------------------------------------------------------------------------------------

void Editor::fileLoaded(const std::string& path)
{
    if (!s_.editMode) {
        return;
    }
    s_.modeSettingActive = false;
    w_.setSpinnerEnabled(true);
    collection_.fileLoaded(path);
    w_.setWindowCaption(kem::puzzleWindowCaption(path, true));
    w_.setCommandCaption(Command::Exit, kCloseCaption);
    showCurrentPuzzle();
    syncCommands();
}

void Editor::fileSaved(const std::string& path)
{
    collection_.fileSaved(path);
    w_.setWindowCaption(kem::puzzleWindowCaption(path, true));
    syncCommands();
}

} // namespace tavrin::game
