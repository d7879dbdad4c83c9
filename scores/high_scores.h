// The free-game and per-puzzle-file high-score tables.
#pragma once

#include "scores/high_score_texts.h"
#include "scores/settings_store.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// Five places, best first.
struct ScoreTable {
    std::array<std::int16_t, kScorePlaces> scores{};
    std::array<std::string, kScorePlaces> names;

    static ScoreTable filled(std::int16_t score);
    bool operator==(const ScoreTable&) const = default;
};

// A place earned, waiting for the player's name. Show `prompt` in an input
// box titled `title` with an empty default, then hand the answer back.
struct NameRequest {
    enum class Kind { Free, Series };
    Kind kind = Kind::Free;
    std::int16_t score = 0; // total score, or misses in a series
    int itemCount = 0;      // free game only
    std::string path;       // series only: the puzzle file
    int place = 0;          // 0 ... 4
    Text title;
    Text prompt;
};

// Asks the player for a name; nullopt when the box was cancelled.
using AskName = std::function<std::optional<std::string>(const Text& title, const Text& prompt)>;

// What the high-score window shows.
struct HighScoreRow {
    std::string name;  // the place number, ": ", name
    std::string score; // plain digits
    bool bold = false; // the entry just made
};

struct HighScoreView {
    bool series = false;
    int itemCount = 0; // free game: the table's number of item kinds
    Text caption;
    std::array<HighScoreRow, kScorePlaces> rows;
    int highlighted = -1;         // row shown in bold, -1 for none
    Text note;                    // under the rows; empty for none
    std::string registrationPage; // the page the registration button opens, when one was just written
    bool registerVisible = false; // the registration button: only when a registration page was just written
    bool registerEnabled = false;
    bool copyEnabled = false; // the copy button
    // The game just entered, with the record that proves its score, as the
    // score server's POST /register takes it (JSON); empty when there is none.
    std::string recordRegistration;
    // Where to post it: the registration address set in the options (or the
    // default); the page posts to the server it came from.
    std::string registrationServer;
};

// Product name, "(アイテム" n ")ハイスコア報告です。" and the rows, for the
// clipboard button.
Text clipboardText(const HighScoreView& view);

class HighScores {
public:
    explicit HighScores(SettingsStore& store);

    // Free game; tables 0 ... 4 hold the games with 1 ... 5 item kinds.
    void loadFreeHighScores();
    // False when the settings could not keep the tables.
    bool saveFreeHighScores();
    // Ask kClearFreeQuestion first. Only a yes answer clears; either way the
    // high-score menu item goes off.
    void clearFreeHighScores(bool confirmed);

    // The place a total earns (a tie goes above), or nullopt.
    std::optional<NameRequest> freeEntryRequest(std::int16_t score, int itemCount) const;
    // Enters the score with the typed name and saves the tables. False (and
    // nothing changes) for an empty or cancelled answer or when the score no
    // longer earns a place.
    bool enterFreeHighScore(const NameRequest& request, std::optional<std::string_view> answer);
    // Both steps, asking through `ask`.
    bool enterFreeHighScore(std::int16_t score, int itemCount, const AskName& ask);

    // Series play of one puzzle file (fewer misses rank higher).
    // Also forgets the title set for the previous series.
    void loadSeriesHighScores(std::string_view path);
    // The series is shown under `title` in the name prompt and the window's
    // caption instead of its file title (a series the game makes, in the
    // player's language); the table keeps its stored name.
    void setSeriesTitle(const Text& title) { seriesTitle_ = title; }
    bool saveSeriesHighScores(std::string_view path);
    // Ask clearSeriesQuestion(path) first.
    void clearSeriesHighScores(std::string_view path, bool confirmed);
    std::optional<NameRequest> seriesEntryRequest(std::int16_t misses, std::string_view path) const;
    bool enterSeriesHighScore(const NameRequest& request, std::optional<std::string_view> answer);
    bool enterSeriesHighScore(std::int16_t misses, std::string_view path, const AskName& ask);

    // The window's contents. For the free game run the score-page step
    // first (see showFreeHighScores in score_pages.h).
    HighScoreView freeView(int itemCount) const;
    HighScoreView seriesView(std::string_view path) const;
    // The OK button.
    void okPressed() { lastRank_ = -1; }
    // After the series window closed, however it was closed.
    void seriesWindowClosed(const HighScoreView& shown);
    // A new free game starts with no entry highlighted.
    void resetLastRank() { lastRank_ = -1; }

    const ScoreTable& freeTable(int table) const;
    const ScoreTable& seriesTable() const { return series_; }
    std::int16_t freeScores(int table, int place) const;
    const std::string& freeNames(int table, int place) const;
    std::int16_t seriesScores(int place) const;
    const std::string& seriesNames(int place) const;
    int lastRank() const { return lastRank_; }
    // Whether the last entry made was written to the settings.
    bool lastEntryKept() const { return lastEntryKept_; }
    // Whether the high-score menu items are enabled.
    bool hasHighScores() const { return hasHighScores_; }
    bool hasHighScoresSave() const { return hasHighScoresSave_; }

private:
    static std::optional<int> higherPlace(const ScoreTable& table, std::int16_t score);
    static std::optional<int> fewerPlace(const ScoreTable& table, std::int16_t misses);
    static void insertAt(ScoreTable& table, int place, std::int16_t score, std::string name);
    static bool validTable(int table) { return table >= 0 && table < kFreeTables; }

    SettingsStore& store_;
    std::array<ScoreTable, kFreeTables> free_;
    ScoreTable series_;
    Text seriesTitle_;
    int lastRank_ = -1;
    bool lastEntryKept_ = true;
    bool hasHighScores_ = false;
    bool hasHighScoresSave_ = false;
};

} // namespace tavrin
