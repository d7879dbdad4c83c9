#include "game/score_keeper.h"

#include "game/window.h"
#include "scores/high_scores.h"

namespace tavrin::game {

TableScoreKeeper::TableScoreKeeper(HighScores& scores, Window& window, Shown shown)
    : scores_(scores), window_(window), shown_(std::move(shown))
{
}

namespace {

AskName askThrough(Window& window)
{
    return [&window](const Text& title, const Text& prompt) { return window.inputBox(prompt, title, ""); };
}

} // namespace

void TableScoreKeeper::enterFreeHighScore(std::int16_t total, int itemCount)
{
    if (scores_.enterFreeHighScore(total, itemCount, askThrough(window_))) {
        entered(false);
    }
}

void TableScoreKeeper::enterSeriesHighScore(std::int16_t misses, const std::string& path)
{
    if (scores_.enterSeriesHighScore(misses, path, askThrough(window_))) {
        entered(true);
    }
}

// A stored entry makes the tables clearable at once, then the window shows them.
// An entry the settings could not keep says so first.
void TableScoreKeeper::entered(bool series)
{
    window_.setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    if (!scores_.lastEntryKept()) {
        window_.messageBox(kEntryNotKeptMessage, "", Buttons::Ok, Icon::Warning);
    }
    if (shown_) {
        shown_(series);
    }
}

void TableScoreKeeper::resetLastRank() { scores_.resetLastRank(); }

bool TableScoreKeeper::hasHighScores() const { return scores_.hasHighScores(); }

} // namespace tavrin::game
