#include "puzzles/collection.h"

#include <algorithm>

namespace tavrin {

bool startsWithDefaultComment(std::string_view comment)
{
    // UTF-8 is prefix-free, so comparing bytes compares the first characters.
    return comment.substr(0, kDefaultComment.size()) == kDefaultComment;
}

bool isBlankPuzzle(const Puzzle& puzzle)
{
    return puzzle.mode == kNoMode && startsWithDefaultComment(puzzle.comment) &&
           std::all_of(puzzle.cells.begin(), puzzle.cells.end(), [](HyperRoad c) { return c == kEmpty; });
}

Collection::Collection(GameState& state) : state_(state) {}

void Collection::startBlank()
{
    state_.puzzleCount = 1;
    state_.puzzles[0] = newPuzzle();
    state_.puzzles[1].cells.fill(kEmpty); // the scratch slot
    position_ = 0;
    saved_ = true;
    editFilePath_.clear();
    commands_.undo = false;
    commands_.paste = false;
    loadBoard();
}

Puzzle& Collection::current()
{
    return state_.puzzles[static_cast<std::size_t>(position_)];
}

const Puzzle& Collection::current() const
{
    return state_.puzzles[static_cast<std::size_t>(position_)];
}

std::string Collection::puzzleNumberText() const
{
    return std::to_string(position_ + 1) + "/" + std::to_string(maximum() + 1);
}

void Collection::loadBoard()
{
    std::copy(current().cells.begin(), current().cells.end(), state_.board.begin());
}

void Collection::storeBoard()
{
    std::copy(state_.board.begin(), state_.board.begin() + kCellCount, current().cells.begin());
}

void Collection::moveTo(int newPosition)
{
    position_ = std::clamp(newPosition, 0, std::max(0, maximum()));
    loadBoard();
}

bool Collection::addPuzzle()
{
    if (maximum() >= kMaxPuzzles - 1) {
        return false;
    }
    const int p = position_;
    for (int q = state_.puzzleCount - 1; q > p; --q) {
        state_.puzzles[static_cast<std::size_t>(q + 1)] = state_.puzzles[static_cast<std::size_t>(q)];
    }
    state_.puzzles[static_cast<std::size_t>(p + 1)] = newPuzzle();
    state_.puzzleCount = static_cast<std::int16_t>(state_.puzzleCount + 1);
    moveTo(p + 1);
    refreshEditCommands(); // the move to the new puzzle refreshes first
    saved_ = false;
    return true;
}

bool Collection::cutPuzzle()
{
    takeUndoSnapshot(true);
    saved_ = false;
    clipboard_ = current();
    current() = newPuzzle();
    loadBoard();
    commands_.paste = true;
    refreshEditCommands();
    return true;
}

bool Collection::copyPuzzle()
{
    clipboard_ = current();
    commands_.paste = true;
    return true;
}

bool Collection::pastePuzzle()
{
    if (!clipboard_ || !commands_.paste) {
        return false;
    }
    takeUndoSnapshot(false);
    saved_ = false;
    current() = *clipboard_;
    loadBoard();
    refreshEditCommands();
    return true;
}

bool Collection::deletePuzzle()
{
    takeUndoSnapshot(false);
    if (maximum() > 0) {
        saved_ = false;
        for (int q = position_; q < maximum(); ++q) {
            state_.puzzles[static_cast<std::size_t>(q)] = state_.puzzles[static_cast<std::size_t>(q + 1)];
        }
        state_.puzzleCount = static_cast<std::int16_t>(state_.puzzleCount - 1);
        moveTo(position_);
    } else {
        // The editor always keeps one puzzle: the last one is blanked instead.
        current() = newPuzzle();
        loadBoard();
    }
    refreshEditCommands();
    return true;
}

void Collection::takeUndoSnapshot(bool blocksPaste)
{
    undoPuzzles_ = state_.puzzles;
    undoCount_ = state_.puzzleCount;
    undoBlocksPaste_ = blocksPaste;
    commands_.undo = true;
    typing_ = false;
}

void Collection::disableUndo()
{
    commands_.undo = false;
    typing_ = false;
}

bool Collection::undoEdit()
{
    if (!commands_.undo) {
        return false;
    }
    std::copy(undoPuzzles_.begin(), undoPuzzles_.begin() + kMaxPuzzles, state_.puzzles.begin());
    state_.puzzleCount = std::clamp<std::int16_t>(undoCount_, 1, kMaxPuzzles);
    moveTo(position_);
    // What the undo brings back has not been saved (a blank result is found
    // saved again by the refresh).
    saved_ = false;
    refreshEditCommands();
    commands_.undo = false;
    typing_ = false;
    if (undoBlocksPaste_) {
        commands_.paste = false;
    }
    return true;
}

bool Collection::typeComment(std::string_view text)
{
    if (fitComment(text) == current().comment || (typing_ && commands_.undo)) {
        setComment(text);
        return false;
    }
    takeUndoSnapshot(false);
    typing_ = true;
    setComment(text);
    return true;
}

void Collection::setComment(std::string_view text)
{
    std::string fitted = fitComment(text);
    if (fitted != current().comment) {
        current().comment = std::move(fitted);
        saved_ = false;
    }
}

bool Collection::currentBlank() const
{
    const bool emptyBoard =
        std::all_of(state_.board.begin(), state_.board.begin() + kCellCount, [](HyperRoad c) { return c == kEmpty; });
    return emptyBoard && startsWithDefaultComment(current().comment) && maximum() <= 1;
}

bool Collection::allBlank() const
{
    for (int q = 0; q < state_.puzzleCount; ++q) {
        if (!isBlankPuzzle(state_.puzzles[static_cast<std::size_t>(q)])) {
            return false;
        }
    }
    return true;
}

void Collection::refreshEditCommands()
{
    if (currentBlank()) {
        // Nothing to lose only when no puzzle holds anything.
        if (allBlank()) {
            saved_ = true;
        }
        commands_.boardTools = false;
        commands_.cut = false;
        commands_.copy = false;
        if (state_.puzzleCount == 1) {
            commands_.remove = false;
            commands_.saveButton = false;
            commands_.saveItem = false;
            commands_.saveAsItem = false;
        }
        return;
    }
    commands_.boardTools = true;
    commands_.cut = true;
    commands_.copy = true;
    commands_.remove = true;
    commands_.saveButton = true;
    commands_.saveItem = !editFilePath_.empty();
    commands_.saveAsItem = true;
}

void Collection::fileLoaded(const std::string& path)
{
    commands_.undo = false;
    editFilePath_ = path;
    if (commands_.saveItem) {
        commands_.saveAsItem = true;
    }
    saved_ = true;
    state_.puzzleCount = std::clamp<std::int16_t>(state_.puzzleCount, 1, kMaxPuzzles);
    moveTo(0);
    refreshEditCommands();
}

void Collection::fileSaved(const std::string& path)
{
    commands_.undo = false;
    saved_ = true;
    editFilePath_ = path;
    if (commands_.saveItem) {
        commands_.saveAsItem = true;
    }
}

void Collection::disableAllCommands()
{
    commands_ = EditCommandStates{};
}

} // namespace tavrin
