// Hand-over of finished games to the high-score tables.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavrin {
class HighScores;
}

namespace tavrin::game {

class Window;

class ScoreKeeper {
public:
    virtual ~ScoreKeeper() = default;
    // A cleared free game with `itemCount` item kinds scored `total`.
    virtual void enterFreeHighScore(std::int16_t total, int itemCount) = 0;
    // A series of the puzzle file `path` ended with `misses` failed moves.
    virtual void enterSeriesHighScore(std::int16_t misses, const std::string& path) = 0;
    // A new free game: no entry is highlighted any more.
    virtual void resetLastRank() = 0;
    // Whether the clear-high-scores command is available.
    virtual bool hasHighScores() const = 0;
};

// The tables of scores/, asking the player's name through the window's input
// box. `shown` runs after an entry was made (the window shows the table).
class TableScoreKeeper : public ScoreKeeper {
public:
    using Shown = std::function<void(bool series)>;
    TableScoreKeeper(HighScores& scores, Window& window, Shown shown = {});

    void enterFreeHighScore(std::int16_t total, int itemCount) override;
    void enterSeriesHighScore(std::int16_t misses, const std::string& path) override;
    void resetLastRank() override;
    bool hasHighScores() const override;

private:
    void entered(bool series);

    HighScores& scores_;
    Window& window_;
    Shown shown_;
};

} // namespace tavrin::game
