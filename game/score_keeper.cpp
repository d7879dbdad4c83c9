#include "game/score_keeper.h"

#include "game/box.h"
#include "game/output.h"
#include "scores/high_scores.h"

namespace tavrin::game {

namespace {

void finish(const ScoreKeeper::Done& done)
{
    if (done) {
        done();
    }
}

} // namespace

TableScoreKeeper::TableScoreKeeper(HighScores& scores, Output& output, Shown shown)
    : scores_(scores), output_(output), shown_(std::move(shown))
{
}

void TableScoreKeeper::enterFreeHighScore(std::int16_t total, int itemCount, Done done)
{
    const auto request = scores_.freeEntryRequest(total, itemCount);
    if (!request) {
        finish(done);
        return;
    }
    askName(*request, std::move(done));
}

void TableScoreKeeper::enterSeriesHighScore(std::int16_t misses, const std::string& path, Done done)
{
    const auto request = scores_.seriesEntryRequest(misses, path);
    if (!request) {
        finish(done);
        return;
    }
    askName(*request, std::move(done));
}

void TableScoreKeeper::askName(const NameRequest& request, Done done)
{
    output_.ask(Box::input(request.prompt, request.title), [this, request, done](const BoxAnswer& answer) {
        std::optional<std::string_view> name;
        if (answer.text) {
            name = *answer.text;
        }
        const bool series = request.kind == NameRequest::Kind::Series;
        const bool entered = series ? scores_.enterSeriesHighScore(request, name)
                                    : scores_.enterFreeHighScore(request, name);
        if (entered) {
            this->entered(series, done);
        } else {
            finish(done);
        }
    });
}

// A stored entry makes the tables clearable at once, then the window shows them.
// An entry the settings could not keep says so first.
void TableScoreKeeper::entered(bool series, Done done)
{
    output_.screen().setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    auto show = [this, series, done] {
        if (shown_) {
            shown_(series, done);
        } else {
            finish(done);
        }
    };
    if (!scores_.lastEntryKept()) {
        output_.ask(Box::message(kEntryNotKeptMessage, "", Buttons::Ok, Icon::Warning),
                    [show](const BoxAnswer&) { show(); });
        return;
    }
    show();
}

void TableScoreKeeper::resetLastRank() { scores_.resetLastRank(); }

bool TableScoreKeeper::hasHighScores() const { return scores_.hasHighScores(); }

} // namespace tavrin::game
