// The session's high-score window, the editor's files and leaving the program.
#include "game/session.h"

#include "game/flow_texts.h"
#include "game/game_record.h"
#include "scores/json_text.h"
#include "puzzles/kem_names.h"

namespace tavrin::game {

// --- high scores ------------------------------------------------------------------------

// The high-score command: the series table in series play, else the free
// game's (the registration page step first).
void Session::showHighScores()
{
    showHighScoreWindow(state_.puzzleSeries, {});
}

void Session::showHighScoreWindow(bool series, ScoreKeeper::Done done)
{
    auto finish = [done] {
        if (done) {
            done();
        }
    };
    if (series) {
        const HighScoreView view = scores_.seriesView(controller_->flow().playFilePath);
        output_.ask(Box::highScores(view), [this, view, finish](const BoxAnswer&) {
            scores_.seriesWindowClosed(view);
            output_.screen().setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
            finish();
        });
        return;
    }
    const int itemCount = state_.itemCount > 0 ? state_.itemCount : controller_->itemKindCount();
    FreeHighScoreWindow shown;
    if (options_.disk) {
        shown = options_.disk->freeHighScores(scores_, itemCount);
    } else {
        shown.view = scores_.freeView(itemCount);
    }
    offerRecordRegistration(shown.view);
    if (shown.page == PageStep::WriteFailed) {
        output_.ask(Box::message(TAVRIN_TEXT("app", "ハイスコア登録用のページを書き込めませんでした。"), "",
                                 Buttons::Ok, Icon::Warning));
    }
    if (shown.page == PageStep::Written) {
        shown.view.registrationPage = shown.pagePath.string();
        output_.screen().setStatus(TAVRIN_TEXT("app", "ハイスコア登録用のページを書き出しました：%1")
                                       .arg(Text(shown.pagePath.string())));
    }
    output_.ask(Box::highScores(shown.view), [this, finish](const BoxAnswer& answer) {
        if (answer.ok()) {
            scores_.okPressed();
        }
        finish();
    });
}

// The last game reached the goal and its score was just entered: the window
// offers to register it with its record, which the server replays.
void Session::offerRecordRegistration(HighScoreView& view) const
{
    const GameRecord* record = controller_->finishedRecord();
    const int rank = scores_.lastRank();
    const int table = view.itemCount - 1;
    if (record == nullptr || view.series || rank < 0 || rank >= kScorePlaces || table < 0 || table >= kFreeTables) {
        return;
    }
    view.recordRegistration = "{\"name\": " + jsonString(scores_.freeNames(table, rank)) +
                              ", \"score\": " + std::to_string(scores_.freeScores(table, rank)) +
                              ", \"record\": " + jsonString(recordText(*record)) + "}";
    const std::string server = settings_.get(kScoreServerSection, kScoreServerKey, "");
    view.registrationServer = server.empty() ? std::string(kDefaultScoreServer) : server;
}

void Session::clearHighScores()
{
    const bool series = state_.puzzleSeries;
    const std::string path = controller_->flow().playFilePath;
    const Text question = series ? clearSeriesQuestionFor(clearName_.empty() ? Text(path) : clearName_)
                                 : Text(kClearFreeQuestion);
    output_.ask(Box::message(question, "", Buttons::YesNo, Icon::Question),
                [this, series, path](const BoxAnswer& answer) {
                    const bool yes = answer.yes();
                    if (series) {
                        scores_.clearSeriesHighScores(path, yes);
                    } else {
                        scores_.clearFreeHighScores(yes);
                        // The registration pages go with the tables, never when the player said no.
                        if (yes && options_.disk) {
                            options_.disk->scoresCleared();
                        }
                    }
                    output_.screen().setCommandEnabled(Command::ClearHighScores, false);
                });
}

// --- the editor's files ---------------------------------------------------------------------

void Session::saveCollection(bool saveAs)
{
    if (!state_.editMode || !editor_) {
        return;
    }
    const kem::SaveStatus check = kem::checkSavable(kem::collectionOf(state_));
    if (check == kem::SaveStatus::ModeMissing) {
        output_.screen().setStatus(kem::kModeMissingMessage);
        return;
    }
    if (check != kem::SaveStatus::Saved) {
        return;
    }
    if (!saveAs && !editor_->editFilePath().empty()) {
        writeCollection(editor_->editFilePath());
    } else {
        output_.act(Action::AskSaveName);
    }
}

void Session::saveCollectionAs(const std::string& name)
{
    input([&] {
        if (state_.editMode && !name.empty()) {
            writeCollection(name);
        }
    });
}

void Session::writeCollection(const std::string& name)
{
    if (!options_.disk || !editor_) {
        return;
    }
    editor_->disableUndo();
    const kem::PuzzleFileSave saved = options_.disk->savePuzzleFile(name, kem::collectionOf(state_));
    if (!saved.saved()) {
        const Text message = saved.message();
        if (!message.empty()) {
            output_.ask(Box::message(message, "", Buttons::Ok, Icon::Warning));
        }
        return;
    }
    editor_->fileSaved(saved.path);
}

// --- leaving ------------------------------------------------------------------------------------

void Session::confirmDiscard(std::function<void(bool)> then)
{
    if (!state_.editMode || !editor_ || editor_->collectionSaved()) {
        then(true);
        return;
    }
    output_.ask(Box::message(kDiscardChangesQuestion, "", Buttons::YesNo, Icon::Question),
                [then](const BoxAnswer& answer) { then(answer.yes()); });
}

std::optional<Text> Session::exitQuestion() const
{
    if (!state_.editMode || !editor_ || editor_->collectionSaved()) {
        return std::nullopt;
    }
    return Text(TAVRIN_TEXT("app", "Tavrin for Windowsを終了するとこれまでの変更内容が破棄されますが、よろしいですか？"));
}

void Session::saveGameNow()
{
    input([&] { kept_->saveNow(); });
}

void Session::shutDown()
{
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    kept_->keepForNextStart();
    for (const Timer timer : {Timer::Evaluation, Timer::AfterDiscard, Timer::StartUp}) {
        output_.stopTimer(timer);
    }
}

} // namespace tavrin::game
