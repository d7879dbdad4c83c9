// The puzzle editor: entering edit mode, the collection commands, the board
// tools, placements on the board, goal setting and the comment prompt.
#pragma once

#include "engine/game_state.h"
#include "game/controller.h"
#include "game/edit_port.h"
#include "game/output.h"
#include "puzzles/collection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tavrin::game {

class Editor : public EditPort {
public:
    // The editor works on the controller's state and window, and keeps the
    // free game aside through the controller.
    explicit Editor(GameController& controller);

    // --- EditPort ------------------------------------------------------------
    // Enter edit mode with a new collection of one blank puzzle. Does nothing
    // in series play; in the editor it only shows the Edit Mode command pressed.
    void enterEditMode() override;
    // New Game in the editor: a blank puzzle after the current one.
    void newPuzzle() override;
    // Undo, Cut, Copy, Paste, Delete and the eight board-toolbar commands. A
    // command whose item is disabled is ignored. While a goal is being set the
    // commands that change the puzzle first ask to abandon it.
    void editCommand(Command command) override;
    void fullConnectionGoalCommand() override;
    void bigLoopGoalCommand() override;
    void showGameMode() override;
    void placeOnCell(int cell, std::function<void(const EditPlacement&)> placed) override;
    void pickRandomShape() override;
    void bigLoopSettingCompleted() override;
    void spinnerChanged(int value) override;
    void commentEdited(const std::string& text) override;
    bool collectionSaved() const override { return collection_.collectionSaved(); }
    std::string editFilePath() const override { return collection_.editFilePath(); }

    // --- the rest of the editor -----------------------------------------------
    // Before a board change replaces the current puzzle's goal: `then` runs
    // with 1 (no goal), -1 (the goal was cleared after asking) or 0 (the
    // player kept it: nothing may change).
    void confirmReplacingGoal(std::function<void(int go)> then);
    // Asks for a comment while the comment box still shows the default one,
    // then runs `then`.
    void askForComment(std::function<void()> then);
    void refreshEditCommands();
    void disableUndo() override;
    void fileLoaded(const std::string& path) override;
    void fileSaved(const std::string& path) override;

    Collection& collection() { return collection_; }
    const Collection& collection() const { return collection_; }

private:
    ScreenModel& screen();
    std::string commentText() const;
    // Runs `then` unless a goal setting in progress may not be abandoned.
    void whenGoalSettingMayStop(std::function<void()> then);
    // Pushes the enabled state of the editing commands to the screen.
    void syncCommands();
    void switchModeOff(Puzzle& p);
    void goalSet();
    void showPuzzleNumber();
    // Label, game mode, comment box, full redraw, after the current puzzle or
    // its position changed.
    void showCurrentPuzzle();
    void showSpinner();
    void boardTool(Command command);
    void drawPalette();
    void showPaletteSelection();

    GameController& ctl_;
    GameState& s_;
    Output& out_;
    Collection collection_;
};

// The editor of a session that has one (SessionOptions::editor).
std::unique_ptr<EditPort> puzzleEditor(GameController& controller);

} // namespace tavrin::game
