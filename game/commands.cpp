// One entry point for every menu item and toolbar button, behind the guard
// that protects a goal setting in progress.
#include "game/controller.h"

#include "game/flow_texts.h"

namespace tavrin::game {

namespace {

bool inGameMenu(Command c)
{
    switch (c) {
    case Command::NewGame:
    case Command::DailyGame:
    case Command::Open:
    case Command::Save:
    case Command::SaveAs:
    case Command::HighScores:
    case Command::ClearHighScores:
    case Command::ResetTheme:
    case Command::FreshSeries:
    case Command::DailySeries:
    case Command::Exit:
        return true;
    default:
        return false;
    }
}

// Items 2 and above of the options menu.
bool inOptionsFromModes(Command c)
{
    switch (c) {
    case Command::EcoMode:
    case Command::FullConnection:
    case Command::BigLoop:
    case Command::EditMode:
    case Command::PlayMode:
    case Command::CreateTheme:
    case Command::DefaultTheme:
        return true;
    default:
        return false;
    }
}

bool onBoardToolbar(Command c)
{
    switch (c) {
    case Command::MirrorTopBottom:
    case Command::MirrorLeftRight:
    case Command::TurnLeft:
    case Command::TurnRight:
    case Command::ShiftLeft:
    case Command::ShiftUp:
    case Command::ShiftDown:
    case Command::ShiftRight:
        return true;
    default:
        return false;
    }
}

bool editCommand(Command c)
{
    switch (c) {
    case Command::Undo:
    case Command::Cut:
    case Command::Copy:
    case Command::Paste:
    case Command::Delete:
        return true;
    default:
        return onBoardToolbar(c);
    }
}

} // namespace

void GameController::command(Command c, Source source)
{
    // Busy: a theme is being loaded or saved and events are handled between
    // its steps. No command may start in the middle of it, from any source.
    if (out_.shown().busy) {
        return;
    }
    // The hint only looks at the game: no guard.
    const bool guarded = c != Command::Hint
                         && (source == Source::Toolbar ? !onBoardToolbar(c) : (inGameMenu(c) || inOptionsFromModes(c)));
    if (!guarded) {
        dispatch(c);
        return;
    }
    passGoalSettingGuard([this, c](int go) {
        if (go == 0 || (go == 1 && c == Command::BigLoop)) {
            return;
        }
        dispatch(c);
    });
}

void GameController::dispatch(Command c)
{
    switch (c) {
    case Command::NewGame:
        if (s_.editMode) {
            if (editor_ != nullptr) {
                editor_->newPuzzle();
            }
        } else if (!s_.puzzleSeries) {
            startFreeGame();
        }
        break;
    case Command::Open:
        if (!s_.puzzleSeries && sessionCommand_) {
            sessionCommand_(c);
        }
        break;
    case Command::DailyGame:
    case Command::FreshSeries:
    case Command::DailySeries:
        if (!s_.puzzleSeries && !s_.editMode && sessionCommand_) {
            sessionCommand_(c);
        }
        break;
    case Command::Save:
    case Command::SaveAs:
    case Command::HighScores:
    case Command::ClearHighScores:
    case Command::ResetTheme:
    case Command::CreateTheme:
    case Command::DefaultTheme:
    case Command::HelpTopics:
    case Command::About:
    case Command::ScoreServer:
        if (sessionCommand_) {
            sessionCommand_(c);
        }
        break;
    case Command::Exit: exitCommand(); break;
    case Command::SoundOn: soundSwitch(true); break;
    case Command::SoundOff: soundSwitch(false); break;
    case Command::EcoMode: ecoModeCommand(); break;
    case Command::FullConnection: fullConnectionCommand(); break;
    case Command::BigLoop: bigLoopCommand(); break;
    case Command::EditMode:
        if (s_.editMode) {
            // Already editing: show the state again rather than drop the collection.
            out_.screen().setCommandChecked(Command::EditMode, true);
            out_.screen().setCommandChecked(Command::PlayMode, false);
        } else if (!s_.puzzleSeries && editor_ != nullptr) {
            editor_->enterEditMode();
        }
        break;
    case Command::PlayMode: leaveEditMode(); break;
    case Command::GameSeparator: break;
    case Command::Hint: showHint(); break;
    default:
        if (editCommand(c) && s_.editMode && editor_ != nullptr) {
            editor_->editCommand(c);
        }
        break;
    }
    // A command may have opened or closed the editor or a series.
    refreshCommandStates();
}

void GameController::exitCommand()
{
    if (s_.puzzleSeries && !f_.launchedWithFile) {
        endSeries();
        stopSeriesMusic();
        playFreeGameMusic();
        return;
    }
    if (s_.editMode && editor_ != nullptr && !editor_->editFilePath().empty()) {
        // Closing the file: leave the editor (the player may choose to stay)
        // and come back to an empty collection.
        leaveEditMode([this](bool left) {
            if (left) {
                editor_->enterEditMode();
                refreshCommandStates();
            }
        });
        return;
    }
    out_.act(Action::Quit);
}

} // namespace tavrin::game
