#include "game/session.h"

#include "engine/puzzle.h"
#include "game/command_table.h"
#include "game/flow_texts.h"
#include "game/series_texts.h"
#include "puzzles/game_series.h"
#include "puzzles/kem_names.h"
#include "scores/general_number.h"


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

} // namespace

Session::Session(GameState& state, FrontEnd* frontEnd, SettingsStore& settings, GameStore* store,
                 RandomSource& random, SessionOptions options)
    : frontEnd_(frontEnd), settings_(settings), random_(random), options_(std::move(options)), state_(state),
      output_(frontEnd, options_.clock), scores_(settings)
{
    if (!options_.today) {
        options_.today = systemToday;
    }
    controller_ = std::make_unique<GameController>(state_, output_, random_);
    keeper_ = std::make_unique<TableScoreKeeper>(
        scores_, output_, [this](bool series, ScoreKeeper::Done done) { showHighScoreWindow(series, std::move(done)); });
    if (options_.editor) {
        editor_ = options_.editor(*controller_);
    }
    kept_ = std::make_unique<KeptGame>(*controller_, store);
    controller_->attachEditor(editor_.get());
    controller_->attachScoreKeeper(keeper_.get());
    controller_->attachSettings(&settings_);
    controller_->setStartUpAction([this] { startUpAction(); });
    controller_->setSessionCommands([this](Command command) { sessionCommand(command); });
}

Session::~Session() = default;

// --- input ---------------------------------------------------------------------------

void Session::input(const std::function<void()>& handle)
{
    ++inputDepth_;
    handle();
    if (--inputDepth_ == 0) {
        output_.flush();
    }
}

void Session::command(Command command, Source source)
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->command(command, source);
        }
    });
}

void Session::cellReleased(int cell)
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->cellReleased(cell);
        }
    });
}

void Session::cellHovered(int cell)
{
    input([&] {
        if (!output_.boxOpen() && isCell(cell)) {
            // The pointer takes over from the keyboard; the cursor waits at its cell.
            output_.screen().setCursor(cell, false);
            controller_->cellHovered(cell);
        }
    });
}

void Session::palettePressed(int entry, int shiftState)
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->palettePressed(entry, shiftState);
        }
    });
}

void Session::trashReleased()
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->trashReleased();
        }
    });
}

void Session::key(Key key)
{
    input([&] {
        if (output_.boxOpen()) {
            return;
        }
        const KeyMeaning meaning = keyMeaning(key);
        const Screen& shown = output_.shown();
        const CursorView cursor = shown.cursor;
        switch (meaning.kind) {
        case KeyMeaning::Kind::MoveCursor: {
            // The first key only shows where the cursor is.
            const int cell = cursor.shown ? steppedCell(cursor.cell, meaning.dx, meaning.dy) : cursor.cell;
            output_.screen().setCursor(cell, true);
            // The loop-length label follows the cursor as it follows the pointer.
            controller_->cellHovered(cell);
            break;
        }
        case KeyMeaning::Kind::Place:
            if (!cursor.shown) {
                output_.screen().setCursor(cursor.cell, true);
                controller_->cellHovered(cursor.cell);
            } else {
                controller_->cellReleased(cursor.cell);
            }
            break;
        case KeyMeaning::Kind::Discard:
            if (shown.panel(Panel::FreeGame)) {
                controller_->trashReleased();
            }
            break;
        case KeyMeaning::Kind::Palette: {
            const PaletteView& entry = shown.palette[static_cast<std::size_t>(meaning.entry)];
            if (shown.panel(Panel::Palette) && entry.visible && entry.enabled) {
                controller_->palettePressed(meaning.entry, 0);
            }
            break;
        }
        case KeyMeaning::Kind::Shortcut:
            for (const CommandInfo& info : commandTable()) {
                if (info.shortcut == meaning.shortcut && shown.offered(info.command)) {
                    controller_->command(info.command, Source::Menu);
                }
            }
            break;
        }
    });
}

void Session::spinnerChanged(int value)
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->spinnerChanged(value);
        }
    });
}

void Session::commentEdited(const std::string& text)
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->commentEdited(text);
        }
    });
}

void Session::editorOptionClicked(EditorOption option)
{
    input([&] {
        if (!output_.boxOpen()) {
            controller_->editorOptionClicked(option);
        }
    });
}

void Session::answer(int id, const BoxAnswer& answer)
{
    input([&] { output_.answer(id, answer); });
}

void Session::tick(Millis now)
{
    output_.woke();
    input([&] {
        // Behind a box the game holds still, as behind any modal window.
        for (int guard = 0; guard < 16 && !output_.boxOpen(); ++guard) {
            const std::optional<Timer> due = output_.timers().takeDue(now);
            if (!due) {
                break;
            }
            controller_->timerTick(*due);
        }
    });
}

void Session::showEverything()
{
    input([&] { output_.screen().markAll(); });
}

void Session::setBusy(bool busy)
{
    input([&] { output_.screen().setBusy(busy); });
}

// --- start-up ---------------------------------------------------------------------

void Session::start()
{
    input([&] {
        shutDown_ = false;
        state_.editMode = false;
        state_.puzzleSeries = false;
        scores_.loadFreeHighScores();
        output_.screen().setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
        const std::int16_t pointMode = readStoredNumber(settings_.get("Options", "PointMode", "-1"), -1);
        controller_->setSoundSwitch(pointMode == -1);
        controller_->setLaunchedWithFile(false);
        output_.screen().markAll();
        output_.screen().redrawAll(controller_->freeGame().offeredPiece());
        controller_->startUp();
    });
}

void Session::startUpAction()
{
    auto afterFile = [this] {
        // Without a file to play, or with one that could not be played.
        Text note;
        if (!state_.puzzleSeries) {
            if (!kept_->resume(note)) {
                controller_->startFreeGame();
            }
        }
        // Both are said when the kept game was refused too.
        if (!startUpNote_.empty()) {
            note = note.empty() ? startUpNote_ : TAVRIN_TEXT("app", "%1　%2").arg(note).arg(startUpNote_);
        }
        if (!note.empty()) {
            output_.screen().setStatus(note);
        }
    };
    if (options_.commandLineFile.empty()) {
        afterFile();
        return;
    }
    playCommandLineFile(afterFile);
}

// A file named on the command line is played as a series; a file that cannot
// be played is named in a message, and the free game starts as without one.
void Session::playCommandLineFile(std::function<void()> then)
{
    const std::string& path = options_.commandLineFile;
    const Text problem = namedFileProblem(path);
    if (!problem.empty()) {
        output_.ask(Box::message(TAVRIN_TEXT("app", "%1\n%2").arg(problem).arg(Text(options_.commandLineFile)), "",
                                 Buttons::Ok, Icon::None),
                    [then](const BoxAnswer&) { then(); });
        return;
    }
    // Set before the series starts: it keeps the Exit item's caption.
    controller_->setLaunchedWithFile(true);
    const kem::PuzzleFileRead read = options_.disk->readPuzzleFile(path, true);
    auto load = [this, read, then] {
        if (read.loaded()) {
            loadPuzzles(read);
        } else {
            controller_->setLaunchedWithFile(false);
        }
        then();
    };
    const Text message = read.message();
    if (message.empty()) {
        load();
        return;
    }
    output_.ask(Box::message(message, "", Buttons::Ok, Icon::None), [load](const BoxAnswer&) { load(); });
}

// --- puzzle files ---------------------------------------------------------------------

// Without a disk no file can be found by name.
Text Session::namedFileProblem(const std::string& path) const
{
    return options_.disk ? options_.disk->puzzleFileProblem(path) : Text(kPuzzleFileNotFound);
}

void Session::openPuzzleFile(const std::string& path)
{
    input([&] {
        if (options_.disk) {
            takePuzzleFile(options_.disk->readPuzzleFile(path, false));
        }
    });
}

void Session::openPuzzleBytes(const std::string& name, std::string_view bytes)
{
    input([&] {
        kem::PuzzleFileRead read = kem::decodePuzzleFile(bytes);
        read.path = name;
        takePuzzleFile(read);
    });
}

// A damaged file's valid part is taken once its message has been read.
void Session::takePuzzleFile(const kem::PuzzleFileRead& read)
{
    const Text message = read.message();
    if (message.empty()) {
        loadPuzzles(read);
        return;
    }
    output_.ask(Box::message(message, "", Buttons::Ok, Icon::None), [this, read](const BoxAnswer&) {
        loadPuzzles(read);
    });
}

void Session::loadPuzzles(const kem::PuzzleFileRead& read)
{
    if (!read.loaded()) {
        return;
    }
    kem::applyPuzzleFile(state_, read);
    if (state_.editMode && editor_) {
        editor_->fileLoaded(read.path);
    } else {
        playSeries(read.path, Text(), {});
    }
    controller_->refreshCommandStates();
}

Text Session::openHandedOverFile(const std::string& path, bool dialogOpen)
{
    Text reason;
    input([&] {
        if (state_.editMode) {
            reason = TAVRIN_TEXT("app", "問題ファイルを開けません：編集モード中です。");
        } else if (state_.puzzleSeries) {
            reason = TAVRIN_TEXT("app", "問題ファイルを開けません：問題に挑戦中です。");
        } else if (dialogOpen || output_.boxOpen()) {
            reason = TAVRIN_TEXT("app", "問題ファイルを開けません：ダイアログを閉じてから開いてください。");
        } else {
            reason = namedFileProblem(path);
        }
        if (!reason.empty()) {
            output_.screen().setStatus(reason);
            return;
        }
        takePuzzleFile(options_.disk->readPuzzleFile(path, true));
    });
    return reason;
}

void Session::puzzleFileKindChosen()
{
    input([&] {
        // In the editor, unsaved edits are given up only when the player says so.
        confirmDiscard([this](bool yes) {
            if (!yes) {
                return;
            }
            if (state_.editMode && editor_) {
                editor_->disableUndo();
            }
            output_.act(Action::ChoosePuzzleFile);
        });
    });
}

void Session::playSeries(const std::string& path, const Text& title, std::vector<Text> comments)
{
    seriesTitle_ = title.empty() ? Text(seriesFileTitle(path)) : title;
    clearName_ = title.empty() ? Text(path) : title;
    output_.screen().setCaption(title.empty() ? kem::puzzleWindowCaption(path, false)
                                              : kem::puzzleWindowCaptionFor(title, false));
    scores_.loadSeriesHighScores(path);
    if (!title.empty()) {
        scores_.setSeriesTitle(title);
    }
    output_.screen().setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    controller_->flow().seriesComments = std::move(comments);
    controller_->startSeries(path);
}

// --- series the game makes ----------------------------------------------------------

void Session::playFreshSeries()
{
    // A new seed from the game's one random source.
    playGenerated(std::string(kFreshSeriesName), kFreshSeriesTitle, freshSeriesRequest(random_.drawSeed()));
}

void Session::playDailySeries()
{
    const ScoreDate today = options_.today();
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

// --- commands ---------------------------------------------------------------------------------

void Session::sessionCommand(Command command)
{
    switch (command) {
    case Command::Open: output_.act(Action::ChooseFile); break;
    case Command::Save: saveCollection(false); break;
    case Command::SaveAs: saveCollection(true); break;
    case Command::HighScores: showHighScores(); break;
    case Command::ClearHighScores: clearHighScores(); break;
    case Command::DailyGame: controller_->startDailyGame(options_.today()); break;
    case Command::FreshSeries: playFreshSeries(); break;
    case Command::DailySeries: playDailySeries(); break;
    case Command::ResetTheme: output_.act(Action::ResetTheme); break;
    case Command::DefaultTheme: output_.act(Action::DefaultTheme); break;
    case Command::CreateTheme: output_.act(Action::CreateTheme); break;
    case Command::HelpTopics: output_.act(Action::Help); break;
    case Command::About: output_.act(Action::About); break;
    case Command::ScoreServer: output_.act(Action::ChooseScoreServer); break;
    default: break;
    }
}

} // namespace tavrin::game
