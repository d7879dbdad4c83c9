// Editing a puzzle collection one puzzle at a time: the current position,
// new / cut / copy / paste / delete, the one-step undo, the puzzle clipboard,
// the saved flag and the enabled state of the editing commands.
//
// Pure state: the editor in game/ shows the results on the window.
#pragma once

#include "engine/game_state.h"
#include "engine/puzzle.h"
#include "engine/ui_text.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr Phrase kPuzzleLimitText = TAVRIN_TEXT("puzzles", "一つの問題ファイルに64問までしか保存できません。");

// The editing commands whose enabled state follows the collection. The save
// button (main toolbar 7) and the save menu item are kept apart: the item
// needs a file name, the button falls back to saving under a new name.
struct EditCommandStates {
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool remove = false;     // delete
    bool saveButton = false; // main toolbar button 7
    bool saveItem = false;   // "上書き保存(&S)"
    bool saveAsItem = false; // "名前を付けて保存(&A)"
    bool boardTools = false; // the board-editing toolbar as a whole
    bool operator==(const EditCommandStates&) const = default;
};

// True for a puzzle nobody has written anything into: no pieces and the
// default comment (its first 16 characters, as the comment box shows it).
bool isBlankPuzzle(const Puzzle& puzzle);

// True when the first characters of `comment` are the default comment.
bool startsWithDefaultComment(std::string_view comment);

class Collection {
public:
    // The puzzles, their count and the live board live in `state`.
    explicit Collection(GameState& state);

    // A collection of one blank puzzle, never saved, counted as saved. The
    // clipboard is kept; paste and undo start disabled.
    void startBlank();

    int position() const { return position_; }
    int count() const { return state_.puzzleCount; }
    int maximum() const { return state_.puzzleCount - 1; }
    Puzzle& current();
    const Puzzle& current() const;

    // "3/12": the position and count as the spinner label shows them.
    std::string puzzleNumberText() const;

    // Inserts a blank puzzle after the current one and makes it current (the
    // board is loaded from it). False, nothing changed, at the 64-puzzle limit.
    bool addPuzzle();
    // False when the command is not available (nothing changed).
    bool cutPuzzle();
    bool copyPuzzle();
    bool pastePuzzle();
    bool deletePuzzle();
    bool undoEdit();

    void takeUndoSnapshot(bool blocksPaste);
    void disableUndo();
    bool undoBlocksPaste() const { return undoBlocksPaste_; }

    // Makes `newPosition` (clamped into the collection) current and loads the
    // board from it. The caller disables the undo first, as navigation does.
    void moveTo(int newPosition);

    // The board was edited: copies it into the current puzzle.
    void storeBoard();
    // Marks a change of the current puzzle's board or game mode.
    void markEdited() { saved_ = false; }
    // The comment box changed. A different comment is an unsaved change.
    void setComment(std::string_view text);
    // The author typed in the comment box: like setComment, but a run of
    // typing is an undo step of its own, so that undo takes back the typing
    // and never an earlier edit together with text typed after it. True when
    // this keystroke began the step (undo has just become available).
    bool typeComment(std::string_view text);

    // Re-derives the enabled commands and, for a blank collection, the saved
    // flag. Called after every change of the current puzzle.
    void refreshEditCommands();

    // A file was read into the puzzles (puzzleCount already set), or the
    // collection was written to `path`.
    void fileLoaded(const std::string& path);
    void fileSaved(const std::string& path);

    bool collectionSaved() const { return saved_; }
    void setCollectionSaved(bool saved) { saved_ = saved; }
    const std::string& editFilePath() const { return editFilePath_; }
    const std::optional<Puzzle>& clipboard() const { return clipboard_; }
    const EditCommandStates& commands() const { return commands_; }
    // Leaving the editor switches the editing commands off.
    void disableAllCommands();

private:
    void loadBoard();
    bool currentBlank() const;
    bool allBlank() const;

    GameState& state_;
    int position_ = 0;
    std::optional<Puzzle> clipboard_;
    std::array<Puzzle, kPuzzleSlots> undoPuzzles_{};
    std::int16_t undoCount_ = 0;
    bool undoBlocksPaste_ = false;
    bool typing_ = false; // the undo snapshot is the one taken before the typing began
    bool saved_ = true;
    std::string editFilePath_;
    EditCommandStates commands_;
};

} // namespace tavrin
