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

} // namespace

Editor::Editor(GameController& controller)
    : ctl_(controller), s_(controller.state()), out_(controller.output()), collection_(controller.state())
{
}

ScreenModel& Editor::screen() { return out_.screen(); }

std::string Editor::commentText() const { return out_.shown().comment.text.japanese(); }

void Editor::whenGoalSettingMayStop(std::function<void()> then)
{
    if (!s_.modeSettingActive) {
        then();
        return;
    }
    ctl_.passGoalSettingGuard([then](int go) {
        if (go != 0) {
            then();
        }
    });
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
        screen().setCommandChecked(Command::EditMode, true);
        screen().setCommandChecked(Command::PlayMode, false);
        return;
    }
    FlowState& flow = ctl_.flow();

    s_.puzzleCount = 0;
    ctl_.suspendFreeGame();

    s_.editMode = true;
    s_.modeSettingActive = false;

    flow.savedStatusText = out_.shown().status;
    screen().setStatus("");

    if (!(out_.shown().caption == Text(std::string(kProductTitle)))) {
        screen().setCaption(std::string(kProductTitle));
    }

    screen().setCommentVisible(true);
    screen().setCommentReadOnly(false);
    screen().setPanelVisible(Panel::EditorOptions, true);
    ctl_.stopFreeGameMusic();

    screen().setCommandChecked(Command::EcoMode, false);
    screen().setCommandEnabled(Command::EcoMode, false);
    screen().setCommandEnabled(Command::FullConnection, true);
    screen().setCommandEnabled(Command::BigLoop, true);
    screen().setMenuEnabled(Menu::Edit, true);
    screen().setCommandChecked(Command::EditMode, true);
    screen().setCommandChecked(Command::PlayMode, false);

    screen().setCommandImage(Command::NewGame, kNewPuzzleImage);
    screen().setCommandToolTip(Command::NewGame, kNewPuzzleToolTip);
    screen().setCommandCaption(Command::NewGame, kNewPuzzleCaption);

    collection_.startBlank();
    screen().setSpinnerEnabled(true);
    showSpinner();
    screen().setComment(trimComment(collection_.current().comment));

    screen().setPanelVisible(Panel::FreeGame, false);
    screen().setPanelVisible(Panel::Palette, true);
    screen().setPanelVisible(Panel::BoardToolbar, true);
    drawPalette();
    showPaletteSelection();

    screen().setCommandVisible(Command::GameSeparator, false);
    screen().setCommandChecked(Command::FullConnection, false);
    screen().setCommandChecked(Command::BigLoop, false);

    flow.offeredPieceSave = static_cast<std::int16_t>(ctl_.freeGame().offeredPiece());
    ctl_.freeGame().setOfferedPiece(-1);
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
        screen().setPaletteEnabled(e, true);
        screen().drawTile(t);
    }
    screen().setPaletteEnabled(kEraser, true);
    screen().setPaletteVisible(kEraser, true);
}

void Editor::showPaletteSelection()
{
    if (s_.selectedShape < 0 || s_.selectedShape > kEraser) {
        s_.selectedShape = 0;
    }
    for (int e = 0; e <= kEraser; ++e) {
        screen().setPaletteSelected(e, e == s_.selectedShape);
    }
}

// --- showing the collection -------------------------------------------------------------

void Editor::showPuzzleNumber()
{
    screen().setSpinnerLabel(collection_.puzzleNumberText());
}

void Editor::showSpinner()
{
    screen().setSpinnerMaximum(collection_.maximum());
    screen().setSpinnerValue(collection_.position());
    showPuzzleNumber();
}

void Editor::showCurrentPuzzle()
{
    showSpinner();
    showGameMode();
    screen().setComment(trimComment(collection_.current().comment));
    ctl_.showNewBoard();
}

void Editor::showGameMode()
{
    const GameMode mode = collection_.current().mode;
    if (mode != kNoMode && mode != kFullConnection && mode != kBigLoop) {
        return;
    }
    screen().setCommandChecked(Command::FullConnection, mode == kFullConnection);
    screen().setCommandChecked(Command::BigLoop, mode == kBigLoop);
}

void Editor::syncCommands()
{
    const EditCommandStates& c = collection_.commands();
    screen().setCommandEnabled(Command::Undo, c.undo);
    screen().setCommandEnabled(Command::Cut, c.cut);
    screen().setCommandEnabled(Command::Copy, c.copy);
    screen().setCommandEnabled(Command::Paste, c.paste);
    screen().setCommandEnabled(Command::Delete, c.remove);
    // One command stands for the save item and toolbar button 7; without a
    // file name it saves under a new name, as the button does.
    screen().setCommandEnabled(Command::Save, c.saveButton || c.saveItem);
    screen().setCommandEnabled(Command::SaveAs, c.saveAsItem);
    screen().setBoardToolbarEnabled(c.boardTools);
}

void Editor::refreshEditCommands()
{
    collection_.refreshEditCommands();
    syncCommands();
}

void Editor::disableUndo()
{
    collection_.disableUndo();
    screen().setCommandEnabled(Command::Undo, false);
}

// --- collection commands ------------------------------------------------------------------

void Editor::newPuzzle()
{
    if (!s_.editMode) {
        return;
    }
    whenGoalSettingMayStop([this] {
        disableUndo();
        if (!collection_.addPuzzle()) {
            out_.ask(Box::message(kPuzzleLimitText, "", Buttons::Ok, Icon::Warning));
            return;
        }
        showCurrentPuzzle();
        screen().setStatus("");
        syncCommands();
    });
}

void Editor::editCommand(Command command)
{
    if (!s_.editMode) {
        return;
    }
    const EditCommandStates& c = collection_.commands();
    auto guarded = [this](bool enabled, auto edit) {
        if (enabled) {
            whenGoalSettingMayStop([this, edit] {
                edit();
                syncCommands();
            });
        }
    };
    switch (command) {
    case Command::Undo:
        guarded(c.undo, [this] {
            if (collection_.undoEdit()) {
                showCurrentPuzzle();
            }
        });
        break;
    case Command::Cut:
        guarded(c.cut, [this] {
            collection_.cutPuzzle();
            showCurrentPuzzle();
        });
        break;
    case Command::Copy:
        if (c.copy) {
            collection_.copyPuzzle();
        }
        syncCommands();
        break;
    case Command::Paste:
        guarded(c.paste, [this] {
            if (collection_.pastePuzzle()) {
                showCurrentPuzzle();
            }
        });
        break;
    case Command::Delete:
        guarded(c.remove, [this] {
            collection_.deletePuzzle();
            showCurrentPuzzle();
        });
        break;
    default:
        if (toolButton(command) != 0) {
            boardTool(command);
        }
        break;
    }
}

void Editor::boardTool(Command command)
{
    // A board turned or shifted in the middle of goal setting would no longer
    // hold the solution the target was measured on.
    if (!collection_.commands().boardTools) {
        return;
    }
    whenGoalSettingMayStop([this, command] {
        confirmReplacingGoal([this, command](int go) {
            if (go == 0) {
                return;
            }
            collection_.takeUndoSnapshot(false);
            applyBoardToolButton(s_.board, toolButton(command));
            collection_.storeBoard();
            ctl_.showNewBoard();
            collection_.markEdited();
            syncCommands();
        });
    });
}

// --- navigation and the comment box -------------------------------------------------------------

void Editor::spinnerChanged(int value)
{
    if (!s_.editMode) {
        return;
    }
    disableUndo();
    ctl_.passGoalSettingGuard([this, value](int go) {
        if (go == 0) {
            // The board and the comment stay on the previous puzzle: so does the spinner.
            screen().setSpinnerValue(collection_.position());
            return;
        }
        collection_.moveTo(value);
        showCurrentPuzzle();
        screen().setStatus("");
        refreshEditCommands();
    });
}

void Editor::commentEdited(const std::string& text)
{
    if (s_.editMode && collection_.typeComment(text)) {
        screen().setCommandEnabled(Command::Undo, true);
    }
}

// --- goal setting -------------------------------------------------------------------------------

void Editor::confirmReplacingGoal(std::function<void(int go)> then)
{
    if (collection_.current().mode == kNoMode) {
        then(1);
        return;
    }
    out_.ask(Box::message(kReplaceModeQuestion, "", Buttons::YesNo, Icon::Question),
             [this, then](const BoxAnswer& answer) {
                 if (answer.yes()) {
                     collection_.current().mode = kNoMode;
                     collection_.markEdited();
                     showGameMode();
                     then(-1);
                     return;
                 }
                 showGameMode();
                 then(0);
             });
}

void Editor::askForComment(std::function<void()> then)
{
    if (!startsWithDefaultComment(commentText())) {
        then();
        return;
    }
    out_.ask(Box::input(kCommentPrompt, std::string(kProductTitle)), [this, then](const BoxAnswer& answer) {
        const std::string text = trimComment(answer.text.value_or(""));
        screen().setComment(text);
        collection_.setComment(text);
        then();
    });
}

// The comment box's text becomes the puzzle's comment, once a goal is set.
void Editor::goalSet()
{
    collection_.current().comment = fitComment(commentText());
    showGameMode();
    collection_.markEdited();
    syncCommands();
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
    confirmReplacingGoal([this](int go) {
        if (go == 0) {
            return;
        }
        s_.analysisKind = 0;
        const int groups = networkAnalysis(s_);
        if (!fullConnectionStartValid(groups)) {
            screen().setStatus(kNeedTwoGroupsText);
            showGameMode();
            return;
        }
        collection_.takeUndoSnapshot(false);
        collection_.current().mode = kFullConnection;
        askForComment([this] {
            screen().setStatus("");
            goalSet();
        });
    });
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
    confirmReplacingGoal([this](int go) {
        if (go == 0) {
            return;
        }
        s_.analysisKind = 1;
        s_.loopTarget = networkAnalysis(s_);
        if (!bigLoopStartValid(s_.loopTarget)) {
            screen().setStatus(kNeedLoopPointsText);
            showGameMode();
            return;
        }
        screen().setStatus(showLoopTarget(s_));
        s_.modeSettingActive = true;
        screen().setSpinnerEnabled(false);
    });
}

void Editor::bigLoopSettingCompleted()
{
    if (!s_.editMode) {
        return;
    }
    collection_.storeBoard();
    collection_.takeUndoSnapshot(false);
    screen().setSpinnerEnabled(true);
    collection_.current().mode = kBigLoop;
    screen().setStatus("");
    askForComment([this] {
        goalSet();
        s_.modeSettingActive = false;
    });
}

// --- the board and the palette -----------------------------------------------------------------

void Editor::placeOnCell(int cell, std::function<void(const EditPlacement&)> placed)
{
    if (!s_.editMode || !isCell(cell) || s_.selectedShape < 0 || s_.selectedShape > kEraser) {
        return;
    }
    confirmReplacingGoal([this, cell, placed](int go) {
        if (go == 0 || holdsSelectedShape(s_, cell)) {
            return;
        }
        collection_.takeUndoSnapshot(false);
        EditPlacement edit;
        edit.oldPiece = s_.board[cell];
        edit.newPiece = s_.selectedShape == kEraser ? kEmpty : s_.selectedShape;
        s_.board[cell] = edit.newPiece;
        collection_.current().cells[static_cast<std::size_t>(cell)] = edit.newPiece;
        if (s_.modeSettingActive) {
            s_.analysisKind = 1;
        }
        edit.scoreAfter = networkAnalysis(s_);
        collection_.markEdited();
        const bool cutEnabled = collection_.commands().cut;
        if ((edit.newPiece == kEmpty && cutEnabled) || (edit.newPiece != kEmpty && !cutEnabled)) {
            collection_.refreshEditCommands();
        }
        syncCommands();
        placed(edit);
    });
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
    screen().setSpinnerEnabled(true);
    collection_.fileLoaded(path);
    screen().setCaption(kem::puzzleWindowCaption(path, true));
    screen().setCommandCaption(Command::Exit, kCloseCaption);
    showCurrentPuzzle();
    syncCommands();
}

void Editor::fileSaved(const std::string& path)
{
    collection_.fileSaved(path);
    screen().setCaption(kem::puzzleWindowCaption(path, true));
    syncCommands();
}

std::unique_ptr<EditPort> puzzleEditor(GameController& controller)
{
    return std::make_unique<Editor>(controller);
}

} // namespace tavrin::game
