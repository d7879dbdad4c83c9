// Writes a registration page the way the game does after a new free-game
// entry: tavrin_write_score_page FOLDER SERVER NAME SCORE ITEMS.
// The end-to-end checks open the page in a browser.
#include "scores/high_scores.h"
#include "scores/score_pages.h"
#include "scores/settings_store.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FOLDER SERVER NAME SCORE ITEMS\n", argv[0]);
        return 2;
    }
    tavrin::MemorySettingsStore settings;
    settings.save(tavrin::kScoreServerSection, tavrin::kScoreServerKey, argv[2]);
    tavrin::HighScores scores(settings);
    const int items = std::atoi(argv[5]);
    const std::string name = argv[3];
    const bool entered = scores.enterFreeHighScore(static_cast<std::int16_t>(std::atoi(argv[4])), items,
                                                   [&](const tavrin::Text&, const tavrin::Text&) { return name; });
    tavrin::ScorePages pages(argv[1], settings);
    if (!entered || pages.writeScorePage(scores, items) != tavrin::PageStep::Written) {
        std::fprintf(stderr, "no page written\n");
        return 1;
    }
    std::printf("%s\n", pages.pagePath(items).c_str());
    return 0;
}
