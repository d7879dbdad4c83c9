// The registration pages "Upload3.html" ... "Upload5.html" in the program's
// folder, and the best score written for each number of item kinds.
#pragma once

#include "scores/high_scores.h"
#include "scores/score_page.h"
#include "scores/settings_store.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tavrin {

// The best entry of this run for one number of item kinds.
struct RegistrationSlot {
    std::string name;
    std::int16_t score = 0;
    ScoreDate date;
    std::string dateText;
    std::string code;
};

// What the page step did.
enum class PageStep {
    NoEntry,     // no entry just made, or fewer than 3 item kinds
    NotHigher,   // this run already wrote a score at least as high
    PageBetter,  // the page on disk holds a score at least as high
    Written,     // the page was (re)written
    WriteFailed, // the page could not be written; the old one is kept
};

// Today's local date.
ScoreDate systemToday();

class ScorePages {
public:
    using Today = std::function<ScoreDate()>;

    ScorePages(std::filesystem::path programFolder, const SettingsStore& settings, Today today = systemToday);

    // After a free-game entry (HighScores::lastRank() 0 ... 4) with 3 ... 5
    // item kinds: remember it and write its page unless a better one exists.
    PageStep writeScorePage(const HighScores& scores, int itemCount);

    // The score on the page for n item kinds; 0 when missing or unreadable.
    std::int16_t pageScore(int itemCount) const;

    std::filesystem::path pagePath(int itemCount) const;
    // The registration address the pages post to (from the settings).
    std::string registrationAddress() const;

    // Slots for 3, 4 and 5 item kinds; any other count gives an empty slot.
    const RegistrationSlot& slot(int itemCount) const;
    // Empties the slots, as at start-up.
    void resetScores();

    // After the free-game tables were cleared: removes the pages for 3 and 4
    // item kinds where present. False when one could not be removed.
    bool deletePagesAfterClear() const;

private:
    std::filesystem::path folder_;
    const SettingsStore& settings_;
    Today today_;
    std::array<RegistrationSlot, 3> slots_;
};

// The free-game window: the page step first, then the window's contents.
// Show `view` modally and call scores.okPressed() when OK closes it. When
// the page was just written, the window shows its registration button,
// which opens `pagePath`.
struct FreeHighScoreWindow {
    HighScoreView view;
    PageStep page = PageStep::NoEntry;
    std::filesystem::path pagePath; // the page written, else empty
};
FreeHighScoreWindow showFreeHighScores(HighScores& scores, ScorePages& pages, int itemCount);

// The series window's contents; show them modally, then call
// scores.seriesWindowClosed(view) however the window was closed.
HighScoreView showSeriesHighScores(const HighScores& scores, std::string_view path);

// The free game's clear command, after asking kClearFreeQuestion: a yes
// clears the tables and deletes the pages for 3 and 4 item kinds, a no keeps
// both; either way the high-score menu item goes off. False when a page
// could not be deleted.
bool clearFreeHighScoresAndPages(HighScores& scores, const ScorePages& pages, bool confirmed);

} // namespace tavrin
