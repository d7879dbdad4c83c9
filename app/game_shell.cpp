#include "app/game_shell.h"

#include "app/command_line.h"
#include "app/data_dir.h"
#include "app/dialogs.h"
#include "app/help_window.h"
#include "app/language.h"
#include "app/startup_options.h"
#include "app/high_score_dialog.h"
#include "app/score_server_dialog.h"
#include "app/zoom.h"
#include "game/flow_texts.h"
#include "graphics/file_kind_chooser.h"
#include "graphics/qt_pixels.h"
#include "graphics/screen_text.h"
#include "puzzles/game_series.h"
#include "puzzles/kem_file.h"
#include "puzzles/kem_names.h"
#include "scores/general_number.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace tavrin::app {

using game::Command;
using graphics::screenText;

namespace {

constexpr int kTwipsPerPixel = 15;

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

game::Icon gameIcon(graphics::MessageIcon icon)
{
    switch (icon) {
    case graphics::MessageIcon::Information: return game::Icon::Information;
    case graphics::MessageIcon::Warning: return game::Icon::Warning;
    case graphics::MessageIcon::None: break;
    }
    return game::Icon::None;
}

Text settingsNotKeptMessage(const QtSettingsStore& store)
{
    const QFileInfo file(store.fileName());
    if (store.keeping() == QtSettingsStore::Keeping::FileUnusable) {
        return TAVRIN_TEXT("app", "%1は大きすぎるか通常のファイルではないため、読み込まずに起動しました。"
                                  "設定とハイスコアは保存されません。")
            .arg(QDir::toNativeSeparators(file.absoluteFilePath()).toStdString());
    }
    return TAVRIN_TEXT("app", "%1に書き込めないため、設定とハイスコアは保存されません。このまま遊ぶことはできます。")
        .arg(QDir::toNativeSeparators(file.absolutePath()).toStdString());
}

ShellOptions withDefaultFolders(ShellOptions options)
{
    if (options.pageFolder.isEmpty()) {
        options.pageFolder = options.programFolder;
    }
    if (options.fileFolder.isEmpty()) {
        options.fileFolder = options.programFolder;
    }
    return options;
}

} // namespace

GameShell::GameShell(ShellOptions options)
    : options_(withDefaultFolders(std::move(options))),
      graphics_(graphics::loadGraphicsSet(options_.programFolder)), renderer_(graphics_, state_),
      scores_(store_), pages_(options_.pageFolder.toStdString(), store_)
{
    // The first puzzle file dialog opens where the installed collection lies.
    const QString collection = collectionFolder(options_.programFolder);
    puzzleFolder_ = QFileInfo(collection).isDir() ? collection : options_.fileFolder;
    window_ = std::make_unique<QtWindow>(form_, renderer_, options_.programFolder);
    controller_ = std::make_unique<game::GameController>(state_, *window_, random_);
    keeper_ = std::make_unique<game::TableScoreKeeper>(scores_, *window_,
                                                       [this](bool series) { showHighScoreWindow(series); });
    editor_ = std::make_unique<game::Editor>(*controller_);
    pictures_ = std::make_unique<graphics::Pictures>(graphics_, store_, *this);
    themes_ = std::make_unique<graphics::Themes>(*pictures_, store_, *this);
    savedGame_ = std::make_unique<SavedGameKeeper>(*controller_, options_.savedGameFile.toStdString());

    window_->setEvents(this);
    window_->setOfferedPieceSource([this] { return static_cast<int>(controller_->flow().offeredPiece); });
    window_->setShellHandler([this](Command command) { shellCommand(command); });
    controller_->attachEditor(editor_.get());
    controller_->attachScoreKeeper(keeper_.get());
    controller_->attachSettings(&store_);
    controller_->setStartUpAction([this] { startUpAction(); });
    form_.setCloseHandler([this] { return closeRequested(); });
    connectZoomChoice(form_, store_);
    QObject::connect(&form_, &MainWindow::languageChosen, &form_, [this](Language language) {
        setLanguage(language);
        storeLanguage(store_, language);
    });
    setHelpHandler([this] { helpfindershori(kHelpLoadingPictures); });
}

GameShell::~GameShell()
{
    setHelpHandler({});
    window_->setEvents(nullptr);
}

void GameShell::start()
{
    startingUp_ = true;
    setLanguage(options_.language.value_or(storedLanguage(store_)));
    forgotten_ = pictures_->loadRememberedGraphics();

    state_.editMode = false;
    state_.puzzleSeries = false;
    state_.selectedShape = 0;
    for (int entry = 0; entry < kPaletteSize; ++entry) {
        window_->setPaletteBorder(entry, entry == 0);
    }
    window_->setWindowCaption(std::string(game::kProductTitle));

    form_.setZoom(startZoom(store_, QGuiApplication::primaryScreen()));
    // A choice kept from a larger screen falls back to what fits this one.
    fitZoomToScreen(form_);
    restoreGeometry();
    scores_.loadFreeHighScores();
    window_->setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    const std::int16_t pointMode = readStoredNumber(store_.get("Options", "PointMode", "-1"), -1);
    controller_->setSoundSwitch(pointMode == -1);
    controller_->OpenSoundDevices();

    controller_->setLaunchedWithFile(false);
    themes_->loadthemefile();
    graphicsChanged();
    window_->redrawAll();
    controller_->startUp();
    startingUp_ = false;
}

void GameShell::show()
{
    form_.show();
    // Said once, after the window is up: the game plays on with what it read.
    if (store_.keeping() != QtSettingsStore::Keeping::Kept && !settingsWarningShown_) {
        settingsWarningShown_ = true;
        QTimer::singleShot(0, &form_, [this] {
            window_->messageBox(settingsNotKeptMessage(store_), "", game::Buttons::Ok, game::Icon::Warning);
        });
    }
}

// --- start-up timer and the command line -------------------------------------

void GameShell::startUpAction()
{
    if (!commandLinePath(options_.arguments).trimmed().isEmpty()) {
        playCommandLineFile();
    }
    // Without a file to play, or with one that could not be played.
    Text note;
    if (!state_.puzzleSeries) {
        if (!savedGame_->resume(note)) {
            controller_->StartFreeGame();
        }
    }
    if (!forgotten_.isEmpty()) {
        QStringList names;
        for (const QString& path : forgotten_) {
            names.append(QFileInfo(path).fileName());
        }
        const QString separator = screenText(TAVRIN_TEXT("app", "、"));
        const Text pictures = TAVRIN_TEXT("app", "読み込めなくなった画像の代わりに標準の画像を使います：%1")
                                  .arg(Text(names.join(separator).toStdString()));
        // Both are said when the saved game was refused too.
        note = note.empty() ? pictures : TAVRIN_TEXT("app", "%1　%2").arg(note).arg(pictures);
    }
    if (!note.empty()) {
        window_->setStatusText(note);
    }
}

// A file named on the command line is played as a series; a file that cannot
// be played is named in a message, and the free game starts as without one.
void GameShell::playCommandLineFile()
{
    const QString path = commandLinePath(options_.arguments);
    const QFileInfo info(path);
    const Text problem = puzzleFileProblem(info);
    if (!problem.empty()) {
        window_->messageBox(TAVRIN_TEXT("app", "%1\n%2").arg(problem).arg(Text(path.toStdString())), "",
                            game::Buttons::Ok, game::Icon::None);
        return;
    }
    // Set before the series starts: it keeps the Exit item's caption.
    controller_->setLaunchedWithFile(true);
    if (!loadPuzzleFile(info.absoluteFilePath())) {
        controller_->setLaunchedWithFile(false);
    }
}

// Why `info` cannot be played as a puzzle file, or nothing when it may be read.
// Only plain files are read: a named pipe or a device would block or never end.
Text GameShell::puzzleFileProblem(const QFileInfo& info)
{
    if (!info.exists()) {
        return TAVRIN_TEXT("app", "問題ファイルを開けません：ファイルが見つかりません。");
    }
    if (!info.isFile() || !hasPuzzleExtension(info.fileName())) {
        return TAVRIN_TEXT("app", "問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。");
    }
    return {};
}

// --- puzzle files --------------------------------------------------------------

bool GameShell::loadPuzzleFile(const QString& path)
{
    const kem::PuzzleFileRead read = kem::readPuzzleFile(path.toStdString());
    const Text message = read.message();
    if (!message.empty()) {
        window_->messageBox(message, "", game::Buttons::Ok, game::Icon::None);
    }
    if (!read.loaded()) {
        return false;
    }
    kem::applyPuzzleFile(state_, read);
    if (state_.editMode) {
        editor_->fileLoaded(read.path);
        return true;
    }
    playSeries(read.path);
    return true;
}

void GameShell::playSeries(const std::string& path)
{
    window_->setWindowCaption(kem::puzzleWindowCaption(path, false));
    scores_.loadSeriesHighScores(path);
    window_->setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
    controller_->StartSeries(path);
}

void GameShell::playGeneratedSeries(bool daily)
{
    kem::PuzzleFileRead made;
    GeneratorRequest request;
    if (daily) {
        const QDate today = QDate::currentDate();
        const auto month = static_cast<unsigned>(today.month());
        const auto day = static_cast<unsigned>(today.day());
        request = dailyRequest(today.year(), month, day);
        made.path = dailySeriesName(today.year(), month, day);
    } else {
        // A new seed from the game's one random source.
        std::uint64_t seed = 0;
        for (int part = 0; part < 3; ++part) {
            seed = (seed << 30) ^ static_cast<std::uint64_t>(random_.Int(1 << 30));
        }
        request = freshSeriesRequest(seed);
        made.path = std::string(kFreshSeriesName);
    }
    made.puzzles = generatePuzzles(request);
    made.status = kem::ReadStatus::Loaded;
    kem::applyPuzzleFile(state_, made);
    playSeries(made.path);
}

QString GameShell::openHandedOverFile(const QString& path)
{
    Text reason;
    const QFileInfo info(path);
    if (state_.editMode) {
        reason = TAVRIN_TEXT("app", "問題ファイルを開けません：編集モード中です。");
    } else if (state_.puzzleSeries) {
        reason = TAVRIN_TEXT("app", "問題ファイルを開けません：問題に挑戦中です。");
    } else if (QApplication::activeModalWidget() != nullptr) {
        reason = TAVRIN_TEXT("app", "問題ファイルを開けません：ダイアログを閉じてから開いてください。");
    } else {
        reason = puzzleFileProblem(info);
    }
    if (form_.isMinimized()) {
        form_.showNormal();
    }
    form_.raise();
    form_.activateWindow();
    if (!reason.empty()) {
        window_->setStatusText(reason);
        return screenText(reason);
    }
    loadPuzzleFile(info.absoluteFilePath());
    return {};
}

void GameShell::openshori()
{
    graphics::FileKindChooser chooser(&form_);
    chooser.setWindowTitle(defaultTitle());
    if (runModal(chooser) != QDialog::Accepted) {
        return;
    }
    const auto kind = chooser.selectedKind();
    if (!kind) {
        return;
    }
    if (*kind != graphics::FileKind::PuzzleFile) {
        openGraphics(static_cast<int>(*kind));
        return;
    }
    if (state_.editMode) {
        if (!confirmDiscard()) {
            return;
        }
        editor_->disableUndo();
    }
    openPuzzleFileDialog();
}

void GameShell::openGraphics(int kind)
{
    auto askPath = [this](graphics::FileKind which) {
        FileRequest request;
        request.folder = options_.fileFolder;
        if (which == graphics::FileKind::EcoTheme) {
            request.title = screenText(graphics::themeOpenDialogTitle());
            request.filters = {screenText(graphics::themeFilterName())};
            request.defaultSuffix = QStringLiteral("ket");
        } else {
            request.title = screenText(graphics::replaceDialogTitle(static_cast<int>(which) - 2));
            request.filters = {screenText(TAVRIN_TEXT("app", "ビットマップ (*.bmp)")),
                               screenText(TAVRIN_TEXT("app", "全てのファイル (*.*)"))};
            request.defaultSuffix = QStringLiteral("bmp");
        }
        return askFile(&form_, request);
    };
    graphics::openGraphicsKind(static_cast<graphics::FileKind>(kind), *pictures_, *themes_, askPath);
    graphicsChanged();
}

void GameShell::createTheme()
{
    if (!themes_->canCreateTheme()) {
        return;
    }
    const auto answer = window_->inputBox(graphics::themeGoalPrompt(), "", "");
    themes_->createTheme(answer ? q(*answer) : QString(), [this] {
        FileRequest request;
        request.save = true;
        request.title = screenText(graphics::themeSaveDialogTitle());
        request.folder = options_.fileFolder;
        request.filters = {screenText(graphics::themeFilterName()), screenText(graphics::allFilesFilterName())};
        request.defaultSuffix = QStringLiteral("ket");
        return askFile(&form_, request);
    });
    graphicsChanged();
}

void GameShell::restoreTheme(bool forgetPictures)
{
    if (forgetPictures) {
        pictures_->forgetGraphicsFiles();
    }
    themes_->restoreDefaultTheme();
    graphicsChanged();
}

void GameShell::openPuzzleFileDialog()
{
    FileRequest request;
    request.title = screenText(TAVRIN_TEXT("app", "問題のﾛｰﾄﾞ"));
    request.folder = puzzleFolder_;
    request.filters = {screenText(TAVRIN_TEXT("app", "Tavrin 問題(*.kem)")),
                       screenText(TAVRIN_TEXT("app", "全てのファイル (*.*)"))};
    request.defaultSuffix = QStringLiteral("kem");
    const QString path = askFile(&form_, request).section(QChar(u'\0'), 0, 0);
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        puzzleFolder_ = QFileInfo(path).absolutePath();
        loadPuzzleFile(QFileInfo(path).absoluteFilePath());
    }
}

void GameShell::savemondai(bool saveAs)
{
    if (!state_.editMode) {
        return;
    }
    const kem::PuzzleList puzzles = kem::collectionOf(state_);
    const kem::SaveStatus check = kem::checkSavable(puzzles);
    if (check == kem::SaveStatus::ModeMissing) {
        window_->setStatusText(kem::kModeMissingMessage);
        return;
    }
    if (check != kem::SaveStatus::Saved) {
        return;
    }
    QString name;
    if (!saveAs && !editor_->editFilePath().empty()) {
        name = q(editor_->editFilePath());
    } else {
        FileRequest request;
        request.save = true;
        request.title = screenText(TAVRIN_TEXT("app", "名前をつけて問題の保存"));
        request.folder = options_.fileFolder;
        request.filters = {screenText(TAVRIN_TEXT("app", "Tavrin問題(*.kem)")),
                           screenText(TAVRIN_TEXT("app", "全てのファイル(*.*)"))};
        request.defaultSuffix = QStringLiteral("kem");
        name = askFile(&form_, request).section(QChar(u'\0'), 0, 0);
    }
    if (name.isEmpty()) {
        return;
    }
    editor_->disableUndo();
    const kem::PuzzleFileSave saved = kem::savePuzzleFile(name.toStdString(), puzzles);
    if (!saved.saved()) {
        const Text message = saved.message();
        if (!message.empty()) {
            window_->messageBox(message, "", game::Buttons::Ok, game::Icon::Warning);
        }
        return;
    }
    editor_->fileSaved(saved.path);
}

// --- high scores ---------------------------------------------------------------

void GameShell::hiscoreshori()
{
    showHighScoreWindow(state_.puzzleSeries);
}

void GameShell::showHighScoreWindow(bool series)
{
    if (series) {
        const HighScoreView view = scores_.seriesView(controller_->flow().playFilePath);
        HighScoreDialog dialog(view, &form_);
        runModal(dialog);
        scores_.seriesWindowClosed(view);
        window_->setCommandEnabled(Command::ClearHighScores, scores_.hasHighScores());
        return;
    }
    const int itemCount = state_.itemCount > 0 ? state_.itemCount : controller_->itemKindCount();
    const FreeHighScoreWindow shown = showFreeHighScores(scores_, pages_, itemCount);
    if (shown.page == PageStep::WriteFailed) {
        window_->messageBox(TAVRIN_TEXT("app", "ハイスコア登録用のページを書き込めませんでした。"), "",
                            game::Buttons::Ok, game::Icon::Warning);
    }
    HighScoreDialog dialog(shown.view, &form_);
    if (shown.page == PageStep::Written) {
        const QString page = QString::fromStdString(shown.pagePath.string());
        dialog.setRegistrationPage(page);
        window_->setStatusText(TAVRIN_TEXT("app", "ハイスコア登録用のページを書き出しました：%1")
                                   .arg(Text(QDir::toNativeSeparators(page).toStdString())));
    }
    runModal(dialog);
    if (dialog.okPressed()) {
        scores_.okPressed();
    }
}

void GameShell::clearhiscoreshori()
{
    if (state_.puzzleSeries) {
        const std::string& path = controller_->flow().playFilePath;
        const bool yes = window_->messageBox(clearSeriesQuestion(path), "", game::Buttons::YesNo,
                                             game::Icon::Question)
                         == game::Answer::Yes;
        scores_.clearSeriesHighScores(path, yes);
    } else {
        const bool yes = window_->messageBox(kClearFreeQuestion, "", game::Buttons::YesNo,
                                             game::Icon::Question)
                         == game::Answer::Yes;
        scores_.clearFreeHighScores(yes);
        // The registration pages go with the tables, never when the player said no.
        if (yes) {
            pages_.deletePagesAfterClear();
        }
    }
    window_->setCommandEnabled(Command::ClearHighScores, false);
}

// --- help and version ------------------------------------------------------------

void GameShell::helpfindershori(int topic)
{
    HelpWindow help(options_.programFolder, topic, &form_);
    runModal(help);
}

void GameShell::aboutBox()
{
    MessageRequest request;
    request.title = screenText(TAVRIN_TEXT("app", "ﾊﾞｰｼﾞｮﾝ情報"));
    request.text = versionText(versionNumber());
    request.icon = game::Icon::Information;
    app::showMessage(&form_, request);
}

// --- the window's own commands ---------------------------------------------------

void GameShell::shellCommand(Command command)
{
    switch (command) {
    case Command::Open: openshori(); break;
    case Command::Save: savemondai(false); break;
    case Command::SaveAs: savemondai(true); break;
    case Command::HighScores: hiscoreshori(); break;
    case Command::ClearHighScores: clearhiscoreshori(); break;
    case Command::ResetTheme: restoreTheme(false); break;
    case Command::DefaultTheme: restoreTheme(true); break;
    case Command::CreateTheme: createTheme(); break;
    case Command::HelpTopics: helpfindershori(kHelpContents); break;
    case Command::About: aboutBox(); break;
    case Command::FreshSeries: playGeneratedSeries(false); break;
    case Command::DailySeries: playGeneratedSeries(true); break;
    case Command::ScoreServer: chooseScoreServer(store_, &form_); break;
    default: break;
    }
}

// --- closing ---------------------------------------------------------------------

bool GameShell::confirmDiscard()
{
    if (!state_.editMode || editor_->collectionSaved()) {
        return true;
    }
    return window_->messageBox(game::kDiscardChangesQuestion, "", game::Buttons::YesNo, game::Icon::Question)
           == game::Answer::Yes;
}

bool GameShell::confirmExit()
{
    if (!state_.editMode || editor_->collectionSaved()) {
        return true;
    }
    return window_->messageBox(
               TAVRIN_TEXT("app", "Tavrin for Windowsを終了するとこれまでの変更内容が破棄されますが、よろしいですか？"),
               "", game::Buttons::YesNo, game::Icon::Question)
           == game::Answer::Yes;
}

bool GameShell::closeRequested()
{
    // A theme load or save is still using its files and the window.
    if (window_->pointerBusy() || !confirmExit()) {
        return false;
    }
    shutDown();
    return true;
}

void GameShell::saveGameNow()
{
    savedGame_->saveNow();
}

void GameShell::shutDown()
{
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    savedGame_->keepForNextStart();
    for (auto& timer : {game::Timer::Evaluation, game::Timer::AfterDiscard, game::Timer::StartUp,
                        game::Timer::MusicLoop}) {
        window_->stopTimer(timer);
    }
    window_->media().closeAll();
    if (!form_.isMinimized() && !form_.isMaximized()) {
        saveGeometry();
    }
    themes_->removeThemeTempFolder();
    store_.sync();
}

// --- window position -------------------------------------------------------------

void GameShell::restoreGeometry()
{
    form_.adjustSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = form_.frameGeometry().size();
    const long maxTop = static_cast<long>(area.height() - size.height()) * kTwipsPerPixel;
    const long maxLeft = static_cast<long>(area.width() - size.width()) * kTwipsPerPixel;
    // A window larger than the screen (a big zoom kept from a larger screen)
    // starts at the screen's corner, so its title bar can still be reached.
    const long centredTop = std::max(0L, maxTop / 2);
    const long centredLeft = std::max(0L, maxLeft / 2);
    auto read = [this](const char* key, long fallback) {
        bool ok = false;
        const long value = q(store_.get("Geometry", key, "")).trimmed().toLong(&ok);
        return ok ? value : fallback;
    };
    long top = read("Top", centredTop);
    long left = read("Left", centredLeft);
    if (top < 0 || top > maxTop) {
        top = centredTop;
    }
    if (left < 0 || left > maxLeft) {
        left = centredLeft;
    }
    form_.move(area.left() + static_cast<int>(left / kTwipsPerPixel),
               area.top() + static_cast<int>(top / kTwipsPerPixel));
}

void GameShell::saveGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen != nullptr ? screen->availableGeometry().topLeft() : QPoint();
    const QPoint at = form_.pos() - origin;
    store_.save("Geometry", "Top", generalNumber(static_cast<long long>(at.y()) * kTwipsPerPixel));
    store_.save("Geometry", "Left", generalNumber(static_cast<long long>(at.x()) * kTwipsPerPixel));
}

// --- events from the window ------------------------------------------------------

void GameShell::command(Command command, bool fromToolbar)
{
    controller_->command(command, fromToolbar ? game::Source::Toolbar : game::Source::Menu);
}

void GameShell::cellReleased(int cell) { controller_->cellReleased(cell); }
void GameShell::cellHovered(int cell) { controller_->cellHovered(cell); }
void GameShell::palettePressed(int entry, int shiftState) { controller_->palettePressed(entry, shiftState); }
void GameShell::trashReleased() { controller_->trashReleased(); }
void GameShell::timerTick(game::Timer timer) { controller_->timerTick(timer); }
void GameShell::commentEdited(const std::string& text) { controller_->commentEdited(text); }
void GameShell::spinnerChanged(int value) { controller_->spinnerChanged(value); }

void GameShell::editorOptionClicked(game::EditorOption option)
{
    if (option == game::EditorOption::Random && state_.editMode) {
        editor_->randomborder();
    }
}

// --- pictures and themes ---------------------------------------------------------

void GameShell::showMessage(const Text& text, graphics::MessageIcon icon)
{
    window_->messageBox(text, "", game::Buttons::Ok, gameIcon(icon));
}

bool GameShell::askYesNo(const Text& text)
{
    return window_->messageBox(text, "", game::Buttons::YesNo, game::Icon::Question) == game::Answer::Yes;
}

void GameShell::showMessageWithHelp(const Text& text, int helpTopic)
{
    MessageRequest request;
    request.text = screenText(text);
    request.title = defaultTitle();
    request.helpButton = true;
    setHelpHandler([this, helpTopic] { helpfindershori(helpTopic); });
    app::showMessage(&form_, request);
    setHelpHandler([this] { helpfindershori(kHelpLoadingPictures); });
}

void GameShell::redrawAll() { window_->redrawAll(); }
void GameShell::redrawBoard() { window_->redrawBoard(); }
bool GameShell::freeGameActive() const { return controller_->flow().freeGameActive; }
bool GameShell::editMode() const { return state_.editMode; }
bool GameShell::puzzleSeries() const { return state_.puzzleSeries; }
void GameShell::endGame() { controller_->EndGame(); }
void GameShell::setStatusText(const Text& text) { window_->setStatusText(text); }

void GameShell::setThemeResetEnabled(bool enabled)
{
    window_->setCommandEnabled(Command::ResetTheme, enabled);
}

void GameShell::processEvents()
{
    QCoreApplication::processEvents();
}

void GameShell::setBusy(bool busy)
{
    window_->setBusyPointer(busy);
}

void GameShell::showMainWindow()
{
    form_.show();
}

void GameShell::graphicsChanged()
{
    controller_->setItemKindCount(graphics_.itemCount());
    controller_->setThemeGoal(themes_->themeGoal());
}

void GameShell::setLanguage(Language language)
{
    applyLanguage(language, options_.programFolder);
    form_.setLanguageChecked(language);
    form_.retranslate();
}

} // namespace tavrin::app
