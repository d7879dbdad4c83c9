#include "game/session.h"

#include "engine/puzzle.h"
#include "game/flow_texts.h"
#include "game/series_texts.h"
#include "puzzles/game_series.h"
#include "puzzles/kem_names.h"
#include "scores/general_number.h"

#include <cstdio>
#include <system_error>

namespace tavrin::game {

namespace {

// The comment box's text for each generated puzzle: its grade in the
// player's language where the comment is the generator's, else as it stands.
std::vector<Text> generatedComments(const std::vector<Puzzle>& puzzles)
{
    std::vector<Text> comments;
    comments.reserve(puzzles.size());
    for (const Puzzle& p : puzzles) {
        Text comment(trimComment(p.comment));
        for (int grade = 0; grade <= kHighestGrade; ++grade) {
            if (p.comment == fitComment(gradeComment(grade))) {
                comment = gradeCommentText(grade);
                break;
            }
        }
        comments.push_back(std::move(comment));
    }
    return comments;
}

// The file's full path, without "." and ".." steps: the name its high
// scores are kept under.
std::filesystem::path absoluteFile(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal();
}

std::string isoDate(const ScoreDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

} // namespace

Session::Session(GameState& state, Window& window, Platform& platform, SettingsStore& settings, GameStore* store,
                 RandomSource& random, SessionOptions options)
    : window_(window), platform_(platform), settings_(settings), random_(random), options_(std::move(options)),
      state_(state), scores_(settings)
{
    if (!options_.pageFolder.empty()) {
        pages_ = std::make_unique<ScorePages>(options_.pageFolder, settings_);
    }
    controller_ = std::make_unique<GameController>(state_, window_, random_);
    keeper_ = std::make_unique<TableScoreKeeper>(scores_, window_, [this](bool series) { showHighScoreWindow(series); });
    editor_ = std::make_unique<Editor>(*controller_);
    kept_ = std::make_unique<KeptGame>(*controller_, store);
    controller_->attachEditor(editor_.get());
    controller_->attachScoreKeeper(keeper_.get());
    controller_->attachSettings(&settings_);
    controller_->setStartUpAction([this] { startUpAction(); });
}

Session::~Session() = default;

// --- start-up ---------------------------------------------------------------------

void Session::start()
{
    shutDown_ = false;
    state_.editMode = false;
    state_.puzzleSeries = false;
    scores_.loadFreeHighScores();
    window_.setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    const std::int16_t pointMode = readStoredNumber(settings_.get("Options", "PointMode", "-1"), -1);
    controller_->setSoundSwitch(pointMode == -1);
    controller_->OpenSoundDevices();
    controller_->setLaunchedWithFile(false);
    window_.redrawAll();
    controller_->startUp();
}

void Session::startUpAction()
{
    if (!options_.commandLineFile.empty()) {
        playCommandLineFile();
    }
    // Without a file to play, or with one that could not be played.
    Text note;
    if (!state_.puzzleSeries) {
        if (!kept_->resume(note)) {
            controller_->StartFreeGame();
        }
    }
    // Both are said when the kept game was refused too.
    if (!startUpNote_.empty()) {
        note = note.empty() ? startUpNote_ : TAVRIN_TEXT("app", "%1　%2").arg(note).arg(startUpNote_);
    }
    if (!note.empty()) {
        window_.setStatusText(note);
    }
}

// A file named on the command line is played as a series; a file that cannot
// be played is named in a message, and the free game starts as without one.
void Session::playCommandLineFile()
{
    const std::filesystem::path path(options_.commandLineFile);
    const Text problem = puzzleFileProblem(path);
    if (!problem.empty()) {
        window_.messageBox(TAVRIN_TEXT("app", "%1\n%2").arg(problem).arg(Text(options_.commandLineFile)), "",
                           Buttons::Ok, Icon::None);
        return;
    }
    // Set before the series starts: it keeps the Exit item's caption.
    controller_->setLaunchedWithFile(true);
    if (!openPuzzleFile(absoluteFile(path))) {
        controller_->setLaunchedWithFile(false);
    }
}

// --- puzzle files ---------------------------------------------------------------------

// Only plain files are read: a named pipe or a device would block or never end.
Text Session::puzzleFileProblem(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found || status.type() == std::filesystem::file_type::none) {
        return TAVRIN_TEXT("app", "問題ファイルを開けません：ファイルが見つかりません。");
    }
    if (status.type() != std::filesystem::file_type::regular || !kem::hasPuzzleExtension(path.filename().string())) {
        return TAVRIN_TEXT("app", "問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。");
    }
    return {};
}

bool Session::openPuzzleFile(const std::filesystem::path& path)
{
    return takePuzzleFile(kem::readPuzzleFile(path));
}

bool Session::openPuzzleBytes(const std::string& name, std::string_view bytes)
{
    kem::PuzzleFileRead read = kem::decodePuzzleFile(bytes);
    read.path = name;
    return takePuzzleFile(read);
}

bool Session::takePuzzleFile(const kem::PuzzleFileRead& read)
{
    const Text message = read.message();
    if (!message.empty()) {
        window_.messageBox(message, "", Buttons::Ok, Icon::None);
    }
    if (!read.loaded()) {
        return false;
    }
    kem::applyPuzzleFile(state_, read);
    if (state_.editMode) {
        editor_->fileLoaded(read.path);
        return true;
    }
    playSeries(read.path, Text(), {});
    return true;
}

Text Session::openHandedOverFile(const std::filesystem::path& path)
{
    Text reason;
    if (state_.editMode) {
        reason = TAVRIN_TEXT("app", "問題ファイルを開けません：編集モード中です。");
    } else if (state_.puzzleSeries) {
        reason = TAVRIN_TEXT("app", "問題ファイルを開けません：問題に挑戦中です。");
    } else if (platform_.modalOpen()) {
        reason = TAVRIN_TEXT("app", "問題ファイルを開けません：ダイアログを閉じてから開いてください。");
    } else {
        reason = puzzleFileProblem(path);
    }
    if (!reason.empty()) {
        window_.setStatusText(reason);
        return reason;
    }
    openPuzzleFile(absoluteFile(path));
    return {};
}

bool Session::mayOpenPuzzleFile()
{
    if (state_.editMode) {
        if (!confirmDiscard()) {
            return false;
        }
        editor_->disableUndo();
    }
    return true;
}

void Session::playSeries(const std::string& path, const Text& title, std::vector<Text> comments)
{
    seriesTitle_ = title.empty() ? Text(seriesFileTitle(path)) : title;
    clearName_ = title.empty() ? Text(path) : title;
    window_.setWindowCaption(title.empty() ? kem::puzzleWindowCaption(path, false)
                                           : kem::puzzleWindowCaptionFor(title, false));
    scores_.loadSeriesHighScores(path);
    if (!title.empty()) {
        scores_.setSeriesTitle(title);
    }
    window_.setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    controller_->flow().seriesComments = std::move(comments);
    controller_->StartSeries(path);
}

// --- series the game makes ----------------------------------------------------------

void Session::playFreshSeries()
{
    // A new seed from the game's one random source.
    std::uint64_t seed = 0;
    for (int part = 0; part < 3; ++part) {
        seed = (seed << 30) ^ static_cast<std::uint64_t>(random_.Int(1 << 30));
    }
    playGenerated(std::string(kFreshSeriesName), kFreshSeriesTitle, freshSeriesRequest(seed));
}

void Session::playDailySeries()
{
    const ScoreDate today = platform_.today();
    const auto month = static_cast<unsigned>(today.month);
    const auto day = static_cast<unsigned>(today.day);
    playGenerated(dailySeriesName(today.year, month, day), kDailySeriesTitle.arg(Text(isoDate(today))),
                  dailyRequest(today.year, month, day));
}

void Session::playGenerated(const std::string& storedName, const Text& title, const GeneratorRequest& request)
{
    // Series only start from play mode; the menu items say so too.
    if (state_.editMode || state_.puzzleSeries) {
        return;
    }
    kem::PuzzleFileRead made;
    made.puzzles = generatePuzzles(request);
    made.status = kem::ReadStatus::Loaded;
    made.path = storedName;
    std::vector<Text> comments = generatedComments(made.puzzles);
    kem::applyPuzzleFile(state_, made);
    playSeries(made.path, title, std::move(comments));
}

// --- high scores ------------------------------------------------------------------------

void Session::showHighScores()
{
    showHighScoreWindow(state_.puzzleSeries);
}

void Session::showHighScoreWindow(bool series)
{
    if (series) {
        const HighScoreView view = scores_.seriesView(controller_->flow().playFilePath);
        platform_.showHighScoreWindow(view);
        scores_.seriesWindowClosed(view);
        window_.setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
        return;
    }
    const int itemCount = state_.itemCount > 0 ? state_.itemCount : controller_->itemKindCount();
    FreeHighScoreWindow shown;
    if (pages_) {
        shown = showFreeHighScores(scores_, *pages_, itemCount);
    } else {
        shown.view = scores_.freeView(itemCount);
    }
    if (shown.page == PageStep::WriteFailed) {
        window_.messageBox(TAVRIN_TEXT("app", "ハイスコア登録用のページを書き込めませんでした。"), "", Buttons::Ok,
                           Icon::Warning);
    }
    if (shown.page == PageStep::Written) {
        shown.view.registrationPage = shown.pagePath.string();
        std::filesystem::path shownPath = shown.pagePath;
        window_.setStatusText(TAVRIN_TEXT("app", "ハイスコア登録用のページを書き出しました：%1")
                                  .arg(Text(shownPath.make_preferred().string())));
    }
    if (platform_.showHighScoreWindow(shown.view)) {
        scores_.okPressed();
    }
}

void Session::clearHighScores()
{
    if (state_.puzzleSeries) {
        const std::string& path = controller_->flow().playFilePath;
        const bool yes = window_.messageBox(clearSeriesQuestionFor(clearName_.empty() ? Text(path) : clearName_), "",
                                            Buttons::YesNo, Icon::Question)
                         == Answer::Yes;
        scores_.clearSeriesHighScores(path, yes);
    } else {
        const bool yes = window_.messageBox(kClearFreeQuestion, "", Buttons::YesNo, Icon::Question) == Answer::Yes;
        scores_.clearFreeHighScores(yes);
        // The registration pages go with the tables, never when the player said no.
        if (yes && pages_) {
            pages_->deletePagesAfterClear();
        }
    }
    window_.setCommandEnabled(Command::ClearHighScores, false);
}

// --- the editor's files ---------------------------------------------------------------------

void Session::saveCollection(bool saveAs)
{
    if (!state_.editMode) {
        return;
    }
    const kem::PuzzleList puzzles = kem::collectionOf(state_);
    const kem::SaveStatus check = kem::checkSavable(puzzles);
    if (check == kem::SaveStatus::ModeMissing) {
        window_.setStatusText(kem::kModeMissingMessage);
        return;
    }
    if (check != kem::SaveStatus::Saved) {
        return;
    }
    std::string name;
    if (!saveAs && !editor_->editFilePath().empty()) {
        name = editor_->editFilePath();
    } else {
        name = platform_.askPuzzleSaveName().value_or(std::string());
    }
    if (name.empty()) {
        return;
    }
    editor_->disableUndo();
    const kem::PuzzleFileSave saved = kem::savePuzzleFile(name, puzzles);
    if (!saved.saved()) {
        const Text message = saved.message();
        if (!message.empty()) {
            window_.messageBox(message, "", Buttons::Ok, Icon::Warning);
        }
        return;
    }
    editor_->fileSaved(saved.path);
}

// --- commands ---------------------------------------------------------------------------------

void Session::shellCommand(Command command)
{
    switch (command) {
    case Command::Save: saveCollection(false); break;
    case Command::SaveAs: saveCollection(true); break;
    case Command::HighScores: showHighScores(); break;
    case Command::ClearHighScores: clearHighScores(); break;
    case Command::FreshSeries: playFreshSeries(); break;
    case Command::DailySeries: playDailySeries(); break;
    default: platform_.platformCommand(command); break;
    }
}

// --- leaving ------------------------------------------------------------------------------------

bool Session::confirmDiscard()
{
    if (!state_.editMode || editor_->collectionSaved()) {
        return true;
    }
    return window_.messageBox(kDiscardChangesQuestion, "", Buttons::YesNo, Icon::Question) == Answer::Yes;
}

bool Session::confirmExit()
{
    if (!state_.editMode || editor_->collectionSaved()) {
        return true;
    }
    return window_.messageBox(
               TAVRIN_TEXT("app", "Tavrin for Windowsを終了するとこれまでの変更内容が破棄されますが、よろしいですか？"),
               "", Buttons::YesNo, Icon::Question)
           == Answer::Yes;
}

void Session::saveGameNow()
{
    kept_->saveNow();
}

void Session::shutDown()
{
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    kept_->keepForNextStart();
    for (const Timer timer : {Timer::Evaluation, Timer::AfterDiscard, Timer::StartUp, Timer::MusicLoop}) {
        window_.stopTimer(timer);
    }
}

} // namespace tavrin::game
