// The mode commands, leaving the editor and the guard that protects a goal
// setting in progress.
#include "game/controller.h"

#include "game/flow_texts.h"

namespace tavrin::game {

void GameController::leaveEditMode(std::function<void(bool left)> then)
{
    ScreenModel& screen = out_.screen();
    auto done = [then](bool left) {
        if (then) {
            then(left);
        }
    };
    if (!s_.editMode) {
        screen.setCommandChecked(Command::PlayMode, true);
        done(true);
        return;
    }
    auto leave = [this, done] {
        closeEditor();
        done(true);
    };
    const bool saved = editor_ == nullptr || editor_->collectionSaved();
    if (saved) {
        leave();
        return;
    }
    out_.ask(Box::message(kDiscardChangesQuestion, "", Buttons::YesNo, Icon::Question),
             [this, leave, done](const BoxAnswer& answer) {
                 if (answer.yes()) {
                     leave();
                     return;
                 }
                 out_.screen().setCommandChecked(Command::EditMode, true);
                 out_.screen().setCommandChecked(Command::PlayMode, false);
                 done(false);
             });
}

// Back to play from the editor: the free game as it was left.
void GameController::closeEditor()
{
    ScreenModel& screen = out_.screen();
    // An editor placement may still be playing its sequence.
    out_.stopTimer(Timer::Evaluation);
    f_.sequenceStep = 0;
    f_.reverseRun = false;
    f_.quietRun = false;
    s_.modeSettingActive = false;

    resumeFreeGame();
    screen.setPanelVisible(Panel::EditorOptions, false);
    screen.setCommentVisible(false);
    screen.setCaption(std::string(kProductTitle));
    screen.setMenuEnabled(Menu::Edit, false);
    screen.setCommandChecked(Command::EcoMode, true);
    screen.setCommandEnabled(Command::EcoMode, true);
    screen.setCommandChecked(Command::FullConnection, false);
    screen.setCommandEnabled(Command::FullConnection, false);
    screen.setCommandChecked(Command::BigLoop, false);
    screen.setCommandEnabled(Command::BigLoop, false);
    screen.setCommandChecked(Command::EditMode, false);
    screen.setCommandChecked(Command::PlayMode, true);
    for (const Command c : {Command::Cut, Command::Copy, Command::Paste, Command::Delete, Command::Save,
                            Command::Undo, Command::SaveAs}) {
        screen.setCommandEnabled(c, false);
    }
    screen.setCommandCaption(Command::Exit, kExitCaption);
    screen.setCommandToolTip(Command::NewGame, kNewGameToolTip);
    screen.setCommandCaption(Command::NewGame, kNewGameCaption);
    screen.setCommandImage(Command::NewGame, kNewGameImage);
    // Still in edit mode here: a game that is over says so when play resumes.
    playFreeGameMusic();
    screen.setPanelVisible(Panel::FreeGame, true);
    screen.setPanelVisible(Panel::Palette, false);
    screen.setPanelVisible(Panel::BoardToolbar, false);
    for (int e = 0; e < kPieceKinds; ++e) {
        drawPaletteEntry(e, false);
    }
    screen.setCommandVisible(Command::GameSeparator, true);
    free_.setOfferedPiece(f_.offeredPieceSave);
    f_.offeredPieceSave = -1;
    s_.movesUsed = f_.movesUsedSave;
    s_.editMode = false;
    screen.setCommandEnabled(Command::NewGame, true);
    screen.setStatus(f_.savedStatusText);
    showNewBoard();
    refreshCommandStates();
}

void GameController::passGoalSettingGuard(std::function<void(int go)> then)
{
    if (!s_.modeSettingActive) {
        then(-1);
        return;
    }
    out_.ask(Box::message(kGoalSettingQuestion, "", Buttons::YesNo, Icon::Question),
             [this, then](const BoxAnswer& answer) {
                 ScreenModel& screen = out_.screen();
                 if (answer.yes()) {
                     s_.modeSettingActive = false;
                     if (!out_.shown().status.empty()) {
                         screen.setStatus("");
                     }
                     // The spinner was held while the goal was being set.
                     screen.setSpinnerEnabled(true);
                     then(1);
                     return;
                 }
                 if (s_.editMode) {
                     screen.setCommandChecked(Command::PlayMode, false);
                     screen.setCommandChecked(Command::EditMode, true);
                 }
                 if (editor_ != nullptr) {
                     editor_->showGameMode();
                 }
                 then(0);
             });
}

void GameController::ecoModeCommand() { out_.screen().setCommandChecked(Command::EcoMode, !s_.editMode); }

void GameController::fullConnectionCommand()
{
    if (s_.editMode) {
        if (editor_ != nullptr) {
            editor_->fullConnectionGoalCommand();
        }
        return;
    }
    out_.screen().setCommandChecked(Command::FullConnection, s_.puzzleSeries);
}

void GameController::bigLoopCommand()
{
    if (s_.editMode) {
        if (editor_ != nullptr) {
            editor_->bigLoopGoalCommand();
        }
        return;
    }
    out_.screen().setCommandChecked(Command::BigLoop, s_.puzzleSeries);
}

} // namespace tavrin::game
