#include "web/page_game.h"

#include "game/command_table.h"
#include "engine/goals.h"
#include "game/flow_texts.h"
#include "scores/score_page.h"
#include "scores/score_pages.h"
#include "web/page_bridge.h"
#include "web/page_texts.h"
#include "web/json_writer.h"
#include "web/translation_table.h"

#include <cstdio>

namespace tavrin::web {

namespace {

// The default pictures hold three item kinds.
constexpr int kPageItemKinds = 3;

} // namespace

PageGame::PageGame(PagePainter& painter, std::uint64_t seed, bool english)
    : window_(painter), english_(english), settings_([this] { storageRefused(); }),
      store_([this] { storageRefused(); }), seed_(seed), random_(seed)
{
    translateTo(english);
    session_ = std::make_unique<game::Session>(state_, &window_, settings_, &store_, random_);
    window_.setRegistration([this](const HighScoreView& view) { return registrationJson(view); });
}

void PageGame::start()
{
    controller().setItemKindCount(kPageItemKinds);
    controller().setThemeGoal(kDefaultThemeGoal);
    session_->start();
}

void PageGame::translateTo(bool english)
{
    english_ = english;
    if (english) {
        window_.setTranslate([](const Phrase& phrase) { return web::english(phrase); });
    } else {
        window_.setTranslate([](const Phrase& phrase) { return std::string(phrase.source); });
    }
}

void PageGame::setEnglish(bool english)
{
    translateTo(english);
    session_->showEverything();
}

void PageGame::storageRefused()
{
    if (refusedShown_) {
        return;
    }
    refusedShown_ = true;
    tavrin_js_notice(window_.shown(kStorageRefusedText).c_str());
}

// The entry just made, as the registration page would post it: the same
// fields and check code. Only where the high-score window offers to register.
std::string PageGame::registrationJson(const HighScoreView& view)
{
    const HighScores& scores = session_->highScores();
    const int rank = scores.lastRank();
    if (view.series || !view.registerEnabled || rank < 0 || rank >= kScorePlaces) {
        return {};
    }
    const int table = view.itemCount - 1;
    const std::string name = scores.freeNames(table, rank);
    const std::int16_t score = scores.freeScores(table, rank);
    const ScoreDate date = systemToday();
    std::string json = "{\"button\": " + jsonString(window_.shown(kRegisterButton));
    json += ", \"action\": " + jsonString(std::string(kRegistrationPath));
    json += ", \"fields\": [[\"name\", " + jsonString(name) + "], [\"score\", \"" + std::to_string(score) + "\"]";
    json += ", [\"dates\", " + jsonString(dateText(date)) + "], [\"comment\", \"\"]";
    json += ", [\"gametype\", \"" + std::to_string(view.itemCount) + "\"]";
    json += ", [\"passwd\", " +
            jsonString(scoreCode(name, score, date.year, date.month, date.day,
                                 static_cast<std::int16_t>(view.itemCount))) +
            "]]}";
    return json;
}

std::string PageGame::pageTextsJson() const
{
    const std::pair<const char*, Phrase> texts[] = {
        {"ok", kOkText},           {"yes", kYesText},         {"no", kNoText},
        {"cancel", kCancelText},   {"language", kLanguageText}, {"openTitle", kOpenTitle},
        {"openDevice", kOpenDeviceText}, {"drop", kDropText},  {"desktopOnly", kDesktopOnlyText},
        {"help", kHelpText},       {"close", kCloseText},     {"trash", kTrashText},
        {"storageRefused", kStorageRefusedText}, {"fetchFailed", kFetchFailedText},
        {"rankingFailed", kRankingFailedText},
    };
    std::string json = "{";
    bool first = true;
    for (const auto& [key, phrase] : texts) {
        json += first ? "" : ", ";
        first = false;
        json += jsonString(key) + ": " + jsonString(window_.shown(phrase));
    }
    for (int m = 0; m < 4; ++m) {
        json += ", \"menu" + std::to_string(m) + "\": " +
                jsonString(window_.shown(game::menuCaption(static_cast<game::Menu>(m))));
    }
    return json + "}";
}

} // namespace tavrin::web
