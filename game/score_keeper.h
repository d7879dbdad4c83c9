// Hand-over of finished games to the high-score tables.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tavrin {
class HighScores;
struct NameRequest;
}

namespace tavrin::game {

class Output;

class ScoreKeeper {
public:
    // Runs when the entry is done with (entered, refused or not earned), after
    // every box it asked.
    using Done = std::function<void()>;

    virtual ~ScoreKeeper() = default;
    // A cleared free game with `itemCount` item kinds scored `total`.
    virtual void enterFreeHighScore(std::int16_t total, int itemCount, Done done) = 0;
    // A series of the puzzle file `path` ended with `misses` failed moves.
    virtual void enterSeriesHighScore(std::int16_t misses, const std::string& path, Done done) = 0;
    // A new free game: no entry is highlighted any more.
    virtual void resetLastRank() = 0;
    // Whether the clear-high-scores command is available.
    virtual bool hasHighScores() const = 0;
};

// The tables of scores/, asking the player's name in an input box. `shown`
// runs after an entry was made (the window shows the table) and calls its
// own `done` when that window is closed.
class TableScoreKeeper : public ScoreKeeper {
public:
    using Shown = std::function<void(bool series, Done done)>;
    TableScoreKeeper(HighScores& scores, Output& output, Shown shown = {});

    void enterFreeHighScore(std::int16_t total, int itemCount, Done done) override;
    void enterSeriesHighScore(std::int16_t misses, const std::string& path, Done done) override;
    void resetLastRank() override;
    bool hasHighScores() const override;

private:
    void askName(const NameRequest& request, Done done);
    void entered(bool series, Done done);

    HighScores& scores_;
    Output& output_;
    Shown shown_;
};

} // namespace tavrin::game
