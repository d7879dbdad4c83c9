#include "scores/score_pages.h"

#include "puzzles/atomic_file.h"

#include <chrono>
#include <ctime>
#include <system_error>
#include <utility>

namespace tavrin {

namespace {

// A registration page is well under a kilobyte; a larger file is read only
// this far.
constexpr std::size_t kPageReadLimit = 1 << 20;

bool hasSlot(int itemCount)
{
    return itemCount >= 3 && itemCount <= 5;
}

} // namespace

ScoreDate systemToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return {static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_mon + 1),
            static_cast<std::int16_t>(local.tm_mday)};
}

ScorePages::ScorePages(std::filesystem::path programFolder, const SettingsStore& settings, Today today)
    : folder_(std::move(programFolder)), settings_(settings), today_(today ? std::move(today) : Today(systemToday))
{
}

PageStep ScorePages::writeScorePage(const HighScores& scores, int itemCount)
{
    const int rank = scores.lastRank();
    if (rank < 0 || rank >= kScorePlaces || !hasSlot(itemCount)) {
        return PageStep::NoEntry;
    }
    RegistrationSlot& slot = slots_[static_cast<std::size_t>(itemCount - 3)];
    const std::int16_t score = scores.freeScores(itemCount - 1, rank);
    if (slot.score >= score) {
        return PageStep::NotHigher;
    }
    const RegistrationSlot previous = slot;
    slot.name = nameUpToNul(scores.freeNames(itemCount - 1, rank));
    slot.score = score;
    slot.date = today_();
    if (pageScore(itemCount) >= slot.score) {
        return PageStep::PageBetter;
    }
    slot.code = scoreCode(slot.name, slot.score, slot.date.year, slot.date.month, slot.date.day,
                          static_cast<std::int16_t>(itemCount));
    slot.dateText = dateText(slot.date);
    const PageEntry entry{slot.name, slot.score, slot.date, itemCount};
    if (!writeFileAtomically(pagePath(itemCount), scorePage(entry, registrationAddress()))) {
        slot = previous; // let a later entry try again
        return PageStep::WriteFailed;
    }
    return PageStep::Written;
}

std::int16_t ScorePages::pageScore(int itemCount) const
{
    const FileReadResult read = readFileBytes(pagePath(itemCount), kPageReadLimit);
    return read.bytes ? tavrin::pageScore(*read.bytes) : 0;
}

std::filesystem::path ScorePages::pagePath(int itemCount) const
{
    return folder_ / pageFileName(itemCount);
}

std::string ScorePages::registrationAddress() const
{
    return tavrin::registrationAddress(settings_.get(kScoreServerSection, kScoreServerKey, kDefaultScoreServer));
}

const RegistrationSlot& ScorePages::slot(int itemCount) const
{
    static const RegistrationSlot empty;
    return hasSlot(itemCount) ? slots_[static_cast<std::size_t>(itemCount - 3)] : empty;
}

void ScorePages::resetScores()
{
    slots_ = {};
}

bool ScorePages::deletePagesAfterClear() const
{
    bool ok = true;
    for (const int n : {3, 4}) {
        std::error_code ec;
        std::filesystem::remove(pagePath(n), ec);
        ok = ok && !ec;
    }
    return ok;
}

FreeHighScoreWindow showFreeHighScores(HighScores& scores, ScorePages& pages, int itemCount)
{
    FreeHighScoreWindow window;
    window.page = pages.writeScorePage(scores, itemCount);
    window.view = scores.freeView(itemCount);
    if (window.page == PageStep::Written) {
        window.pagePath = pages.pagePath(itemCount);
        window.view.registerVisible = true;
        window.view.registerEnabled = true;
    }
    return window;
}

HighScoreView showSeriesHighScores(const HighScores& scores, std::string_view path)
{
    return scores.seriesView(path);
}

bool clearFreeHighScoresAndPages(HighScores& scores, const ScorePages& pages, bool confirmed)
{
    scores.clearFreeHighScores(confirmed);
    return !confirmed || pages.deletePagesAfterClear();
}

} // namespace tavrin
