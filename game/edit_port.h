// What the game controller and the session ask of the puzzle editor. The
// editor object implements it and is attached with
// GameController::attachEditor; the controller calls it only for editor
// commands and while editMode is on. A game without an editor (the page) has
// no edit mode.
#pragma once

#include "game/command.h"

#include <functional>

#include <cstdint>
#include <optional>
#include <string>

namespace tavrin::game {

// A board edit accepted by the editor: what the cell held and holds now, and
// the analysis result after the edit (loop points or group count, by analysisKind).
struct EditPlacement {
    std::int16_t oldPiece = -1;
    std::int16_t newPiece = -1;
    std::int16_t scoreAfter = 0;
};

class EditPort {
public:
    virtual ~EditPort() = default;

    // Enters edit mode (Edit Mode command). Uses GameController::suspendFreeGame
    // and the controller's flow state to keep the free game aside.
    virtual void enterEditMode() = 0;
    // New Game command in edit mode: disableUndo() then addPuzzle().
    virtual void newPuzzle() = 0;
    // Undo, Cut, Copy, Paste, Delete and the eight board-toolbar commands.
    virtual void editCommand(Command command) = 0;
    // Full-connection and big-loop commands in edit mode.
    virtual void fullConnectionGoalCommand() = 0;
    virtual void bigLoopGoalCommand() = 0;
    // Refreshes the current puzzle's mode on the full-connection and big-loop commands.
    virtual void showGameMode() = 0;

    // A click on board cell `cell` in edit mode: asks before a goal is
    // replaced, refuses the shape the cell holds already, takes the undo
    // snapshot, writes board and puzzle, runs the analysis, marks the
    // collection unsaved and refreshes the edit commands; then `placed` runs
    // (never when nothing changed) and the controller plays the placement sequence.
    virtual void placeOnCell(int cell, std::function<void(const EditPlacement&)> placed) = 0;
    // Selects another random palette shape (option "ランダム").
    virtual void pickRandomShape() = 0;
    // A placement lowered the loop points below the target: the puzzle takes
    // big-loop mode (snapshot, spinner on, mode 1, status cleared,
    // askForComment, comment stored, showGameMode, unsaved).
    virtual void bigLoopSettingCompleted() = 0;

    // Spinner moved by the user, and comment box typed in.
    virtual void spinnerChanged(int value) = 0;
    virtual void commentEdited(const std::string& text) = 0;

    virtual bool collectionSaved() const = 0;
    virtual std::string editFilePath() const = 0;

    // Undo no longer reaches back past this point (a file is read or written).
    virtual void disableUndo() = 0;
    // The puzzle file layer read a file into puzzles / puzzleCount while the
    // editor is open, or wrote the collection to `path`.
    virtual void fileLoaded(const std::string& path) = 0;
    virtual void fileSaved(const std::string& path) = 0;
};

} // namespace tavrin::game
