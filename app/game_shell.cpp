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
#include "game/editor.h"
#include "game/flow_texts.h"
#include "graphics/file_kind_chooser.h"
#include "graphics/qt_pixels.h"
#include "graphics/screen_text.h"
#include "scores/general_number.h"

#include <QApplication>
#include <QCoreApplication>
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
      graphics_(graphics::loadGraphicsSet(options_.programFolder)), renderer_(graphics_, state_)
{
    // The first puzzle file dialog opens where the installed collection lies.
    const QString collection = collectionFolder(options_.programFolder);
    puzzleFolder_ = QFileInfo(collection).isDir() ? collection : options_.fileFolder;
    window_ = std::make_unique<QtWindow>(form_, renderer_, options_.programFolder);
    if (!options_.savedGameFile.isEmpty()) {
        gameStore_ = std::make_unique<game::FileGameStore>(options_.savedGameFile.toStdString());
    }
    game::SessionOptions sessionOptions;
    // A line of blanks names no file.
    const QString path = commandLinePath(options_.arguments);
    if (!path.trimmed().isEmpty()) {
        sessionOptions.commandLineFile = path.toStdString();
    }
    disk_ = game::localDisk(options_.pageFolder.toStdString(), store_);
    sessionOptions.disk = disk_.get();
    sessionOptions.editor = game::puzzleEditor;
    session_ = std::make_unique<game::Session>(state_, window_.get(), store_, gameStore_.get(), random_,
                                               std::move(sessionOptions));
    pictures_ = std::make_unique<graphics::Pictures>(graphics_, store_, *this);
    themes_ = std::make_unique<graphics::Themes>(*pictures_, store_, *this);

    window_->attach(session_.get());
    window_->setActionHandler([this](game::Action action) { act(action); });
    form_.setCloseHandler([this] { return closeRequested(); });
    connectZoomChoice(form_, store_);
    QObject::connect(&form_, &MainWindow::languageChosen, &form_, [this](Language language) {
        setLanguage(language);
        storeLanguage(store_, language);
    });
    setHelpHandler([this] { showHelp(kHelpLoadingPictures); });
}

GameShell::~GameShell()
{
    setHelpHandler({});
    window_->attach(nullptr);
}

void GameShell::start()
{
    startingUp_ = true;
    setLanguage(options_.language.value_or(storedLanguage(store_)));
    forgotten_ = pictures_->loadRememberedGraphics();

    state_.selectedShape = 0;

    form_.setZoom(startZoom(store_, QGuiApplication::primaryScreen()));
    // A choice kept from a larger screen falls back to what fits this one.
    fitZoomToScreen(form_);
    restoreGeometry();
    themes_->loadThemeFile();
    graphicsChanged();
    if (!forgotten_.isEmpty()) {
        QStringList names;
        for (const QString& path : forgotten_) {
            names.append(QFileInfo(path).fileName());
        }
        const QString separator = screenText(TAVRIN_TEXT("app", "、"));
        session_->setStartUpNote(TAVRIN_TEXT("app", "読み込めなくなった画像の代わりに標準の画像を使います：%1")
                                     .arg(Text(names.join(separator).toStdString())));
    }
    // High scores, sound setting, media devices, then the start-up timer.
    session_->start();
    startingUp_ = false;
}

void GameShell::show()
{
    form_.show();
    // Said once, after the window is up: the game plays on with what it read.
    if (store_.keeping() != QtSettingsStore::Keeping::Kept && !settingsWarningShown_) {
        settingsWarningShown_ = true;
        QTimer::singleShot(0, &form_, [this] {
            showMessage(settingsNotKeptMessage(store_), graphics::MessageIcon::Warning);
        });
    }
}

// --- puzzle files --------------------------------------------------------------

void GameShell::loadPuzzleFile(const QString& path)
{
    session_->openPuzzleFile(path.toStdString());
}

QString GameShell::openHandedOverFile(const QString& path)
{
    const Text reason = session_->openHandedOverFile(path.toStdString(), modalOpen());
    if (form_.isMinimized()) {
        form_.showNormal();
    }
    form_.raise();
    form_.activateWindow();
    return reason.empty() ? QString() : screenText(reason);
}

bool GameShell::modalOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

void GameShell::chooseFileToOpen()
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
    session_->puzzleFileKindChosen();
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
    const auto answer = askText(&form_, InputRequest{screenText(graphics::themeGoalPrompt()), defaultTitle(), QString()});
    themes_->createTheme(answer ? *answer : QString(), [this] {
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

void GameShell::askPuzzleSaveName()
{
    FileRequest request;
    request.save = true;
    request.title = screenText(TAVRIN_TEXT("app", "名前をつけて問題の保存"));
    request.folder = options_.fileFolder;
    request.filters = {screenText(TAVRIN_TEXT("app", "Tavrin問題(*.kem)")),
                       screenText(TAVRIN_TEXT("app", "全てのファイル(*.*)"))};
    request.defaultSuffix = QStringLiteral("kem");
    session_->saveCollectionAs(askFile(&form_, request).section(QChar(u'\0'), 0, 0).toStdString());
}

// --- help and version ------------------------------------------------------------

void GameShell::showHelp(int topic)
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

void GameShell::act(game::Action action)
{
    using game::Action;
    switch (action) {
    case Action::ChooseFile: chooseFileToOpen(); break;
    case Action::ChoosePuzzleFile: openPuzzleFileDialog(); break;
    case Action::AskSaveName: askPuzzleSaveName(); break;
    case Action::ResetTheme: restoreTheme(false); break;
    case Action::DefaultTheme: restoreTheme(true); break;
    case Action::CreateTheme: createTheme(); break;
    case Action::Help: showHelp(kHelpContents); break;
    case Action::About: aboutBox(); break;
    case Action::ChooseScoreServer: chooseScoreServer(store_, &form_); break;
    case Action::Quit:
        // Ending from the menu goes the same way as the close box: it asks
        // before unsaved puzzle edits are lost and tidies up behind itself.
        form_.close();
        break;
    }
}

// --- closing ---------------------------------------------------------------------

bool GameShell::confirmExit()
{
    const std::optional<Text> question = session_->exitQuestion();
    return !question || askYesNo(*question);
}

bool GameShell::closeRequested()
{
    // A theme load or save is still using its files and the window.
    if (session_->screen().busy || session_->output().boxOpen() || !confirmExit()) {
        return false;
    }
    shutDown();
    return true;
}

void GameShell::saveGameNow()
{
    session_->saveGameNow();
}

void GameShell::shutDown()
{
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    session_->shutDown();
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

// --- pictures and themes ---------------------------------------------------------

void GameShell::showMessage(const Text& text, graphics::MessageIcon icon)
{
    MessageRequest request;
    request.text = screenText(text);
    request.title = defaultTitle();
    request.icon = gameIcon(icon);
    app::showMessage(&form_, request);
}

bool GameShell::askYesNo(const Text& text)
{
    MessageRequest request;
    request.text = screenText(text);
    request.title = defaultTitle();
    request.buttons = game::Buttons::YesNo;
    request.icon = game::Icon::Question;
    return app::showMessage(&form_, request) == game::Answer::Yes;
}

void GameShell::showMessageWithHelp(const Text& text, int helpTopic)
{
    MessageRequest request;
    request.text = screenText(text);
    request.title = defaultTitle();
    request.helpButton = true;
    setHelpHandler([this, helpTopic] { showHelp(helpTopic); });
    app::showMessage(&form_, request);
    setHelpHandler([this] { showHelp(kHelpLoadingPictures); });
}

void GameShell::showNow(const std::function<void(game::ScreenModel&)>& change)
{
    change(session_->output().screen());
    session_->output().flush();
}

void GameShell::redrawAll()
{
    showNow([this](game::ScreenModel& screen) { screen.redrawAll(controller().freeGame().offeredPiece()); });
}

void GameShell::redrawBoard()
{
    showNow([](game::ScreenModel& screen) { screen.redrawBoard(); });
}

bool GameShell::freeGameActive() const { return session_->controller().freeGame().active(); }
bool GameShell::editMode() const { return state_.editMode; }
bool GameShell::puzzleSeries() const { return state_.puzzleSeries; }

void GameShell::endGame()
{
    session_->input([this] { controller().endGame(); });
}

void GameShell::setStatusText(const Text& text)
{
    showNow([&text](game::ScreenModel& screen) { screen.setStatus(text); });
}

void GameShell::setThemeResetEnabled(bool enabled)
{
    showNow([enabled](game::ScreenModel& screen) { screen.setCommandEnabled(Command::ResetTheme, enabled); });
}

void GameShell::processEvents()
{
    QCoreApplication::processEvents();
}

void GameShell::setBusy(bool busy)
{
    showNow([busy](game::ScreenModel& screen) { screen.setBusy(busy); });
}

void GameShell::showMainWindow()
{
    form_.show();
}

void GameShell::graphicsChanged()
{
    controller().setItemKindCount(graphics_.itemCount());
    controller().setThemeGoal(themes_->themeGoal());
}

void GameShell::setLanguage(Language language)
{
    applyLanguage(language, options_.programFolder);
    form_.setLanguageChecked(language);
    form_.retranslate();
    // Everything the game put on screen, in the new language.
    session_->showEverything();
}

} // namespace tavrin::app
