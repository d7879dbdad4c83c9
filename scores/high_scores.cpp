#include "scores/high_scores.h"

#include "scores/general_number.h"

#include <utility>

namespace tavrin {

ScoreTable ScoreTable::filled(std::int16_t score)
{
    ScoreTable table;
    table.scores.fill(score);
    table.names.fill(std::string(kNoName));
    return table;
}

Text clipboardText(const HighScoreView& view)
{
    std::string rows;
    for (const HighScoreRow& row : view.rows) {
        rows += row.name + "\n\t\t" + row.score + "\n";
    }
    return TAVRIN_TEXT("scores", "Tavrin for Windows(アイテム%1)ハイスコア報告です。\n%2").arg(view.itemCount).arg(rows);
}

HighScores::HighScores(SettingsStore& store) : store_(store), series_(ScoreTable::filled(kSeriesDefaultScore))
{
    free_.fill(ScoreTable::filled(kFreeDefaultScore));
}

void HighScores::loadFreeHighScores()
{
    hasHighScores_ = false;
    for (int t = 0; t < kFreeTables; ++t) {
        const std::string section = freeSection(t);
        for (int r = 0; r < kScorePlaces; ++r) {
            free_[t].scores[r] = readStoredNumber(store_.get(section, scoreKey(r), "0"), kFreeDefaultScore);
            free_[t].names[r] = keptName(store_.get(section, nameKey(r), kNoName));
            if (free_[t].names[r] != kNoName && free_[t].scores[r] != 0) {
                hasHighScores_ = true;
            }
        }
    }
}

bool HighScores::saveFreeHighScores()
{
    for (int t = 0; t < kFreeTables; ++t) {
        const std::string section = freeSection(t);
        for (int r = 0; r < kScorePlaces; ++r) {
            store_.save(section, scoreKey(r), generalNumber(free_[t].scores[r]));
            store_.save(section, nameKey(r), free_[t].names[r]);
        }
    }
    hasHighScores_ = true;
    return store_.flush();
}

void HighScores::clearFreeHighScores(bool confirmed)
{
    if (confirmed) {
        for (int t = 0; t < kFreeTables; ++t) {
            const std::string section = freeSection(t);
            for (int r = 0; r < kScorePlaces; ++r) {
                store_.deleteKey(section, scoreKey(r));
                store_.deleteKey(section, nameKey(r));
            }
            free_[t] = ScoreTable::filled(kFreeDefaultScore);
        }
    }
    hasHighScores_ = false;
}

std::optional<int> HighScores::higherPlace(const ScoreTable& table, std::int16_t score)
{
    for (int r = 0; r < kScorePlaces; ++r) {
        if (score >= table.scores[r]) {
            return r;
        }
    }
    return std::nullopt;
}

std::optional<int> HighScores::fewerPlace(const ScoreTable& table, std::int16_t misses)
{
    for (int r = 0; r < kScorePlaces; ++r) {
        if (table.scores[r] >= misses) {
            return r;
        }
    }
    return std::nullopt;
}

void HighScores::insertAt(ScoreTable& table, int place, std::int16_t score, std::string name)
{
    for (int r = kScorePlaces - 1; r > place; --r) {
        table.scores[r] = table.scores[r - 1];
        table.names[r] = std::move(table.names[r - 1]);
    }
    table.scores[place] = score;
    table.names[place] = std::move(name);
}

std::optional<NameRequest> HighScores::freeEntryRequest(std::int16_t score, int itemCount) const
{
    if (!validTable(itemCount - 1)) {
        return std::nullopt;
    }
    const auto place = higherPlace(free_[itemCount - 1], score);
    if (!place) {
        return std::nullopt;
    }
    NameRequest request;
    request.kind = NameRequest::Kind::Free;
    request.score = score;
    request.itemCount = itemCount;
    request.place = *place;
    request.title = kProductName;
    request.prompt = freeEntryPrompt(itemCount, *place);
    return request;
}

bool HighScores::enterFreeHighScore(const NameRequest& request, std::optional<std::string_view> answer)
{
    if (request.kind != NameRequest::Kind::Free || !validTable(request.itemCount - 1) || !answer) {
        return false;
    }
    std::string name = keptName(*answer);
    if (name.empty()) {
        return false;
    }
    ScoreTable& table = free_[request.itemCount - 1];
    const auto place = higherPlace(table, request.score);
    if (!place) {
        return false;
    }
    insertAt(table, *place, request.score, std::move(name));
    lastRank_ = *place;
    lastEntryKept_ = saveFreeHighScores();
    return true;
}

bool HighScores::enterFreeHighScore(std::int16_t score, int itemCount, const AskName& ask)
{
    const auto request = freeEntryRequest(score, itemCount);
    if (!request || !ask) {
        return false;
    }
    const auto answer = ask(request->title, request->prompt);
    return enterFreeHighScore(*request, answer ? std::optional<std::string_view>(*answer) : std::nullopt);
}

void HighScores::loadSeriesHighScores(std::string_view path)
{
    const std::string section = seriesSection(path);
    seriesTitle_ = Text();
    hasHighScoresSave_ = hasHighScores_;
    hasHighScores_ = false;
    for (int r = 0; r < kScorePlaces; ++r) {
        series_.scores[r] = readStoredNumber(store_.get(section, scoreKey(r), "999"), kSeriesDefaultScore);
        series_.names[r] = keptName(store_.get(section, nameKey(r), kNoName));
        if (series_.scores[r] != kSeriesDefaultScore && series_.names[r] != kNoName) {
            hasHighScores_ = true;
        }
    }
}

bool HighScores::saveSeriesHighScores(std::string_view path)
{
    const std::string section = seriesSection(path);
    for (int r = 0; r < kScorePlaces; ++r) {
        store_.save(section, scoreKey(r), generalNumber(series_.scores[r]));
        store_.save(section, nameKey(r), series_.names[r]);
    }
    return store_.flush();
}

void HighScores::clearSeriesHighScores(std::string_view path, bool confirmed)
{
    if (confirmed) {
        store_.deleteSection(seriesSection(path));
        series_ = ScoreTable::filled(kSeriesDefaultScore);
    }
    hasHighScores_ = false;
}

std::optional<NameRequest> HighScores::seriesEntryRequest(std::int16_t misses, std::string_view path) const
{
    const auto place = fewerPlace(series_, misses);
    if (!place) {
        return std::nullopt;
    }
    NameRequest request;
    request.kind = NameRequest::Kind::Series;
    request.score = misses;
    request.path = std::string(path);
    request.place = *place;
    request.title = kProductName;
    request.prompt = seriesTitle_.empty() ? seriesEntryPrompt(path, *place) : seriesEntryPromptFor(seriesTitle_, *place);
    return request;
}

bool HighScores::enterSeriesHighScore(const NameRequest& request, std::optional<std::string_view> answer)
{
    if (request.kind != NameRequest::Kind::Series || !answer) {
        return false;
    }
    std::string name = keptName(*answer);
    if (name.empty()) {
        return false;
    }
    const auto place = fewerPlace(series_, request.score);
    if (!place) {
        return false;
    }
    insertAt(series_, *place, request.score, std::move(name));
    lastRank_ = *place;
    lastEntryKept_ = saveSeriesHighScores(request.path);
    return true;
}

bool HighScores::enterSeriesHighScore(std::int16_t misses, std::string_view path, const AskName& ask)
{
    const auto request = seriesEntryRequest(misses, path);
    if (!request || !ask) {
        return false;
    }
    const auto answer = ask(request->title, request->prompt);
    return enterSeriesHighScore(*request, answer ? std::optional<std::string_view>(*answer) : std::nullopt);
}

namespace {

void fillRows(HighScoreView& view, const ScoreTable& table, int lastRank)
{
    for (int r = 0; r < kScorePlaces; ++r) {
        HighScoreRow& row = view.rows[r];
        row.name = std::to_string(r + 1) + ": " + table.names[r];
        row.score = generalNumber(table.scores[r]);
        row.bold = r == lastRank;
    }
    view.highlighted = (lastRank >= 0 && lastRank < kScorePlaces) ? lastRank : -1;
}

} // namespace

HighScoreView HighScores::freeView(int itemCount) const
{
    HighScoreView view;
    view.series = false;
    view.itemCount = itemCount;
    view.caption = freeTableCaption(itemCount);
    static const ScoreTable empty = ScoreTable::filled(kFreeDefaultScore);
    fillRows(view, validTable(itemCount - 1) ? free_[itemCount - 1] : empty, lastRank_);
    view.copyEnabled = itemCount == 3 || itemCount == 4;
    view.registerEnabled = view.copyEnabled;
    return view;
}

HighScoreView HighScores::seriesView(std::string_view path) const
{
    HighScoreView view;
    view.series = true;
    view.caption = seriesTitle_.empty() ? seriesTableCaption(path) : seriesTableCaptionFor(seriesTitle_);
    view.note = kSeriesTableNote;
    fillRows(view, series_, lastRank_);
    return view;
}

void HighScores::seriesWindowClosed(const HighScoreView& shown)
{
    // The entry the window was opened for decides, not lastRank now: the OK
    // button has already cleared that.
    if (shown.highlighted != -1 || lastRank_ != -1) {
        hasHighScores_ = hasHighScoresSave_;
    }
    lastRank_ = -1;
}

const ScoreTable& HighScores::freeTable(int table) const
{
    static const ScoreTable empty = ScoreTable::filled(kFreeDefaultScore);
    return validTable(table) ? free_[table] : empty;
}

std::int16_t HighScores::freeScores(int table, int place) const
{
    return (place >= 0 && place < kScorePlaces) ? freeTable(table).scores[place] : kFreeDefaultScore;
}

const std::string& HighScores::freeNames(int table, int place) const
{
    static const std::string noName(kNoName);
    return (place >= 0 && place < kScorePlaces) ? freeTable(table).names[place] : noName;
}

std::int16_t HighScores::seriesScores(int place) const
{
    return (place >= 0 && place < kScorePlaces) ? series_.scores[place] : kSeriesDefaultScore;
}

const std::string& HighScores::seriesNames(int place) const
{
    static const std::string noName(kNoName);
    return (place >= 0 && place < kScorePlaces) ? series_.names[place] : noName;
}

} // namespace tavrin
