#include "app/main_window.h"

#include "app/status_text.h"
#include "game/command_table.h"
#include "app/toolbar_icons.h"
#include "engine/goals.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"
#include "graphics/screen_text.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::app {

using game::CommandInfo;
using game::Toolbar;
using game::commandInfo;
using game::commandTable;
using game::isEmpty;
using game::kBoardToolbarSeparators;
using game::kMainToolbarSeparators;
using game::menuCaption;

using game::Command;

namespace {

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

using graphics::screenText;

constexpr std::array<Phrase, 4> kFrameCaptions{kEcoPointsCaption, kMovesLeftCaption, kLoopPointsCaption,
                                               kChainCaption};
constexpr std::array<std::string_view, 4> kInitialScores{"0", "100", "0", ""};
constexpr int kScoreLabelWidth = 60;
constexpr Phrase kBoardMenuCaption = TAVRIN_TEXT("menu", "盤の変形(&B)");
constexpr Phrase kZoomMenuCaption = TAVRIN_TEXT("menu", "表示倍率(&Z)");
// Readable whatever language is showing: both names in every language; only
// the mnemonic follows the language's habit.
constexpr Phrase kLanguageMenuCaption = TAVRIN_TEXT("menu", "言語 / Language(&G)");
constexpr std::array<Phrase, 2> kEditorOptionCaptions{TAVRIN_TEXT("app", "ランダム"), TAVRIN_TEXT("app", "通常")};

QFont scaled(QFont font, double factor)
{
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * factor);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(static_cast<int>(font.pixelSize() * factor + 0.5));
    }
    return font;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowIcon(mainToolbarIcon(10));
    buildActions();
    buildMenus();
    buildToolbars();
    buildCentre();
    buildZoomMenu();
    buildLanguageMenu();
    statusLabel_ = new StatusText(this);
    statusLabel_->setObjectName(QStringLiteral("StatusText"));
    statusBar()->addWidget(statusLabel_, 1);
    statusBar()->setSizeGripEnabled(false);
    caption_ = std::string(game::kProductTitle);
    loopLengthText_ = game::kLoopLengthText.arg(0);
    for (std::size_t i = 0; i < frameCaptions_.size(); ++i) {
        frameCaptions_[i] = kFrameCaptions[i];
    }
    baseFont_ = font();
    retranslate();
    // Keyboard play starts on the board.
    board_->setFocus();
}

void MainWindow::buildActions()
{
    for (const CommandInfo& info : commandTable()) {
        auto* action = new QAction(this);
        const auto index = static_cast<std::size_t>(info.command);
        if (info.command == Command::GameSeparator) {
            action->setSeparator(true);
        } else {
            captions_[index] = isEmpty(info.caption) ? info.toolTip : info.caption;
        }
        if (!info.shortcut.empty()) {
            action->setShortcut(QKeySequence(q(info.shortcut)));
        }
        if (!isEmpty(info.toolTip)) {
            toolTips_[index] = info.toolTip;
        }
        action->setCheckable(info.checkable);
        action->setChecked(info.checked);
        action->setEnabled(info.enabled);
        if (info.toolbar == Toolbar::Main) {
            action->setIcon(mainToolbarIcon(info.button));
        } else if (info.toolbar == Toolbar::Board) {
            action->setIcon(boardToolbarIcon(info.button));
        }
        const Command command = info.command;
        connect(action, &QAction::triggered, this, [this, action, command, checkable = info.checkable] {
            // The program alone decides what is checked: undo Qt's own toggle.
            if (checkable) {
                action->setChecked(!action->isChecked());
            }
            emit commandTriggered(command, pressedButton_ == action);
        });
        actions_[static_cast<std::size_t>(command)] = action;
    }
}

void MainWindow::buildMenus()
{
    constexpr std::array<game::Menu, 4> kMenus{game::Menu::Game, game::Menu::Edit, game::Menu::Options,
                                                game::Menu::Help};
    for (game::Menu m : kMenus) {
        menus_[static_cast<std::size_t>(m)] = menuBar()->addMenu(QString());
    }
    auto add = [this](const CommandInfo& info) {
        QMenu* target = menus_[static_cast<std::size_t>(info.menu)];
        if (info.separatorBefore) {
            target->addSeparator();
        }
        target->addAction(action(info.command));
    };
    for (game::Menu m : kMenus) {
        for (Command command : game::menuItems(m)) {
            add(commandInfo(command));
        }
    }
    // The board toolbar's commands, so that the keyboard reaches them too.
    QMenu* edit = menus_[static_cast<std::size_t>(game::Menu::Edit)];
    edit->addSeparator();
    boardMenu_ = edit->addMenu(QString());
    for (const CommandInfo& info : commandTable()) {
        if (info.toolbar == Toolbar::Board) {
            // The toolbar's groups, without a leading separator.
            const bool groupStart = std::find(kBoardToolbarSeparators.begin(), kBoardToolbarSeparators.end(),
                                              info.button - 1)
                                    != kBoardToolbarSeparators.end();
            if (groupStart && !boardMenu_->isEmpty()) {
                boardMenu_->addSeparator();
            }
            boardMenu_->addAction(action(info.command));
        }
    }
    // The Edit menu is in use only in the editor.
    menus_[static_cast<std::size_t>(game::Menu::Edit)]->setEnabled(false);
}

void MainWindow::buildToolbars()
{
    const QSize iconSize(kToolbarIconSize, kToolbarIconSize);
    mainToolbar_ = addToolBar(QStringLiteral("mainToolbar"));
    mainToolbar_->setObjectName(QStringLiteral("mainToolbar"));
    mainToolbar_->setMovable(false);
    mainToolbar_->setIconSize(iconSize);
    boardToolbar_ = new QToolBar(QStringLiteral("boardToolbar"), this);
    boardToolbar_->setObjectName(QStringLiteral("boardToolbar"));
    boardToolbar_->setMovable(false);
    boardToolbar_->setIconSize(iconSize);
    addToolBarBreak();
    addToolBar(boardToolbar_);

    for (auto [bar, kind] : {std::pair{mainToolbar_, Toolbar::Main}, std::pair{boardToolbar_, Toolbar::Board}}) {
        int count = 0;
        for (const CommandInfo& info : commandTable()) {
            count = info.toolbar == kind ? std::max(count, info.button) : count;
        }
        for (int button = 1; button <= count; ++button) {
            const CommandInfo* found = nullptr;
            for (const CommandInfo& info : commandTable()) {
                if (info.toolbar == kind && info.button == button) {
                    found = &info;
                }
            }
            if (found != nullptr) {
                QAction* a = action(found->command);
                bar->addAction(a);
                // A button triggers its action between its pressed and released
                // signals; that tells a button click from the menu item.
                if (auto* toolButton = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
                    connect(toolButton, &QToolButton::pressed, this, [this, a] { pressedButton_ = a; });
                    connect(toolButton, &QToolButton::released, this, [this] { pressedButton_ = nullptr; });
                }
            } else {
                bar->addSeparator();
            }
        }
    }
    boardToolbar_->hide();
    // The window is never narrower than the main toolbar, so none of its
    // buttons hides behind the overflow arrow.
    mainToolbar_->setMinimumWidth(mainToolbar_->sizeHint().width());
}

void MainWindow::buildCentre()
{
    auto* centre = new QWidget(this);
    auto* columns = new QHBoxLayout(centre);

    // Left: the board, the loop-length label and the comment box.
    auto* left = new QVBoxLayout;
    board_ = new BoardView(centre);
    left->addWidget(board_, 0, Qt::AlignLeft | Qt::AlignTop);
    loopLength_ = new QLabel(centre);
    loopLength_->setTextFormat(Qt::PlainText);
    left->addWidget(loopLength_);
    comment_ = new QLineEdit(centre);
    comment_->setMaxLength(25);
    comment_->hide();
    left->addWidget(comment_);
    left->addStretch(1);
    columns->addLayout(left);

    // Right: the free-game panel or the palette panel, then the score frames.
    auto* right = new QVBoxLayout;

    freePanel_ = new QGroupBox(centre);
    auto* freeLayout = new QGridLayout(freePanel_);
    offered_ = new TileView(-1, freePanel_);
    trash_ = new TrashView(freePanel_);
    trashCount_ = new QLabel(freePanel_);
    trashCount_->setTextFormat(Qt::PlainText);
    trashCount_->setAlignment(Qt::AlignCenter);
    freeLayout->addWidget(offered_, 0, 0, Qt::AlignCenter);
    freeLayout->addWidget(trash_, 0, 1, Qt::AlignCenter);
    freeLayout->addWidget(trashCount_, 1, 1, Qt::AlignCenter);
    right->addWidget(freePanel_);

    palettePanel_ = new QGroupBox(centre);
    auto* paletteLayout = new QGridLayout(palettePanel_);
    paletteLayout->setSpacing(1);
    for (int i = 0; i < kPaletteSize; ++i) {
        palette_[static_cast<std::size_t>(i)] = new TileView(i, palettePanel_);
        paletteLayout->addWidget(palette_[static_cast<std::size_t>(i)], i / 4, i % 4);
    }
    palette_[kPaletteSize - 1]->setPixmap(eraserPixmap());
    palette_[0]->setBorder(true);
    spinner_ = new PuzzleNumberBox(palettePanel_);
    spinner_->setRange(0, 0);
    spinnerLabel_ = new QLabel(palettePanel_);
    spinnerLabel_->setTextFormat(Qt::PlainText);
    paletteLayout->addWidget(spinnerLabel_, 3, 0, 1, 2);
    paletteLayout->addWidget(spinner_, 3, 2, 1, 2);
    options_ = new QWidget(palettePanel_);
    auto* optionLayout = new QHBoxLayout(options_);
    optionLayout->setContentsMargins(0, 0, 0, 0);
    optionButtons_[0] = new QRadioButton(options_);
    optionButtons_[1] = new QRadioButton(options_);
    optionButtons_[1]->setChecked(true);
    // A click on an option leaves the keys with the board; Tab still reaches them.
    for (QRadioButton* option : optionButtons_) {
        option->setFocusPolicy(Qt::TabFocus);
    }
    optionLayout->addWidget(optionButtons_[0]);
    optionLayout->addWidget(optionButtons_[1]);
    options_->hide();
    paletteLayout->addWidget(options_, 4, 0, 1, 4);
    palettePanel_->hide();
    right->addWidget(palettePanel_);

    right->addLayout(buildScoreFrames(centre));
    right->addStretch(1);
    columns->addLayout(right);

    setCentralWidget(centre);
}

// The four score frames, two by two.
QGridLayout* MainWindow::buildScoreFrames(QWidget* centre)
{
    auto* scores = new QGridLayout;
    for (std::size_t i = 0; i < 4; ++i) {
        scoreFrames_[i] = new QGroupBox(centre);
        auto* frameLayout = new QVBoxLayout(scoreFrames_[i]);
        scoreLabels_[i] = new QLabel(q(kInitialScores[i]), scoreFrames_[i]);
        scoreLabels_[i]->setTextFormat(Qt::PlainText);
        scoreLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        frameLayout->addWidget(scoreLabels_[i]);
        scores->addWidget(scoreFrames_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    return scores;
}

void MainWindow::buildZoomMenu()
{
    QMenu* options = menus_[static_cast<std::size_t>(game::Menu::Options)];
    options->addSeparator();
    zoomMenu_ = options->addMenu(QString());
    zoomGroup_ = new QActionGroup(this);
    zoomGroup_->setExclusive(true);
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
        QAction* a = zoomMenu_->addAction(QString::fromUtf8("×%1(&%1)").arg(z)); // the same in every language, not for translation
        a->setCheckable(true);
        a->setChecked(z == zoom_);
        zoomGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, z] {
            // The menu shows what is applied, not what was clicked.
            zoomActions_[static_cast<std::size_t>(zoom_ - kMinZoom)]->setChecked(true);
            emit zoomChosen(z);
        });
        zoomActions_[static_cast<std::size_t>(z - kMinZoom)] = a;
    }
}

QAction* MainWindow::zoomAction(int zoom) const
{
    if (zoom < kMinZoom || zoom > kMaxZoom) {
        return nullptr;
    }
    return zoomActions_[static_cast<std::size_t>(zoom - kMinZoom)];
}

void MainWindow::setZoom(int zoom)
{
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    zoomActions_[static_cast<std::size_t>(zoom_ - kMinZoom)]->setChecked(true);
    board_->setZoom(zoom_);
    offered_->setZoom(zoom_);
    trash_->setZoom(zoom_);
    for (TileView* entry : palette_) {
        entry->setZoom(zoom_);
    }
    applyFonts();
    // The window takes the size its contents need at the new zoom.
    settleLayout();
    resize(sizeHint().expandedTo(minimumSize()));
}

QSize MainWindow::frameSizeAtZoom(int zoom) const
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
    const QSize now = sizeHint().expandedTo(minimumSize());
    if (zoom == zoom_) {
        return now + frame;
    }
    auto scale = [this, zoom](int length) { return length * zoom / zoom_; };
    const QSize centre = centralWidget()->sizeHint();
    const int status = statusBar()->sizeHint().height();
    const int fixedHeight = now.height() - centre.height() - status;
    const int width = std::max({mainToolbar_->minimumWidth(), scale(centre.width()), scale(statusBar()->minimumWidth())});
    return QSize(width, fixedHeight + scale(centre.height() + status)) + frame;
}

void MainWindow::fitToContents()
{
    settleLayout();
    adjustSize(); // as at start-up
}

// Lets the layouts take in the widgets' new fonts, sizes and visibility.
void MainWindow::settleLayout()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QLayout* inner = centralWidget()->layout()) {
        inner->invalidate();
        inner->activate();
    }
    if (QLayout* outer = layout()) {
        outer->invalidate();
        outer->activate();
    }
}

// Labels, frames, the comment box and the status bar grow with the zoom; menus
// and toolbars keep the desktop's size.
void MainWindow::applyFonts()
{
    const QFont text = scaled(baseFont_, zoom_);
    centralWidget()->setFont(text);
    QFont scoreFont = scaled(text, 1.3);
    scoreFont.setBold(true);
    for (QLabel* label : scoreLabels_) {
        label->setFont(scoreFont);
        label->setMinimumWidth(kScoreLabelWidth * zoom_);
    }
    statusBar()->setFont(text);
    // The status area is as wide as the eco goal text.
    statusBar()->setMinimumWidth(QFontMetrics(text).horizontalAdvance(screenText(kDefaultThemeGoal)) + 24 * zoom_);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Return and Enter leave text boxes and spin boxes unhandled on purpose;
    // they must not lay a piece while the player types there.
    QWidget* focus = focusWidget();
    const bool typing = qobject_cast<QLineEdit*>(focus) != nullptr || qobject_cast<QAbstractSpinBox*>(focus) != nullptr;
    if (!typing && board_->handleKey(event)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

QAction* MainWindow::action(Command command) const
{
    return actions_.at(static_cast<std::size_t>(command));
}

QMenu* MainWindow::menu(game::Menu m) const
{
    return menus_.at(static_cast<std::size_t>(m));
}

TileView* MainWindow::paletteEntry(int entry) const
{
    return palette_.at(static_cast<std::size_t>(entry));
}

QLabel* MainWindow::scoreLabel(game::ScoreFrame label) const
{
    return scoreLabels_.at(static_cast<std::size_t>(label));
}

QGroupBox* MainWindow::scoreFrame(game::ScoreFrame label) const
{
    return scoreFrames_.at(static_cast<std::size_t>(label));
}

QRadioButton* MainWindow::editorOption(game::EditorOption option) const
{
    return optionButtons_.at(static_cast<std::size_t>(option));
}

void MainWindow::setCommandImage(Command command, int image)
{
    const QIcon icon = mainToolbarIcon(image);
    if (!icon.isNull()) {
        action(command)->setIcon(icon);
    }
}

void MainWindow::buildLanguageMenu()
{
    QMenu* options = menus_[static_cast<std::size_t>(game::Menu::Options)];
    languageMenu_ = options->addMenu(QString());
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    const std::array<std::pair<Language, QString>, 2> languages{{
        {Language::Japanese, QString::fromUtf8("日本語(&J)")}, // each language by its own name, not for translation
        {Language::English, QStringLiteral("&English")},
    }};
    for (const auto& [language, name] : languages) {
        QAction* a = languageMenu_->addAction(name);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, language = language] {
            // The menu shows what is applied, not what was clicked.
            setLanguageChecked(currentLanguage());
            emit languageChosen(language);
        });
        languageActions_[static_cast<std::size_t>(language)] = a;
    }
    setLanguageChecked(currentLanguage());
}

QAction* MainWindow::languageAction(Language language) const
{
    return languageActions_.at(static_cast<std::size_t>(language));
}

void MainWindow::setLanguageChecked(Language language)
{
    languageAction(language)->setChecked(true);
}

void MainWindow::showCommandTexts(Command command)
{
    const auto index = static_cast<std::size_t>(command);
    QAction* a = actions_[index];
    if (a->isSeparator()) {
        return;
    }
    a->setText(screenText(captions_[index]));
    // Without a tool tip of its own a button shows its caption.
    a->setToolTip(toolTips_[index].empty() ? QString() : screenText(toolTips_[index]));
}

void MainWindow::setCommandCaption(Command command, const Text& caption)
{
    captions_.at(static_cast<std::size_t>(command)) = caption;
    showCommandTexts(command);
}

void MainWindow::setCommandToolTip(Command command, const Text& toolTip)
{
    toolTips_.at(static_cast<std::size_t>(command)) = toolTip;
    showCommandTexts(command);
}

void MainWindow::setStatusText(const Text& text)
{
    status_ = text;
    statusLabel_->showText(screenText(status_));
}

void MainWindow::setCaption(const Text& caption)
{
    caption_ = caption;
    setWindowTitle(screenText(caption_));
}

void MainWindow::setLoopLengthText(const Text& text)
{
    loopLengthText_ = text;
    loopLength_->setText(screenText(loopLengthText_));
}

void MainWindow::setScoreFrameCaption(game::ScoreFrame label, const Text& caption)
{
    const auto i = static_cast<std::size_t>(label);
    frameCaptions_.at(i) = caption;
    scoreFrames_.at(i)->setTitle(screenText(caption));
}

void MainWindow::retranslate()
{
    for (std::size_t m = 0; m < menus_.size(); ++m) {
        menus_[m]->setTitle(screenText(menuCaption(static_cast<game::Menu>(m))));
    }
    boardMenu_->setTitle(screenText(kBoardMenuCaption));
    zoomMenu_->setTitle(screenText(kZoomMenuCaption));
    languageMenu_->setTitle(screenText(kLanguageMenuCaption));
    for (const CommandInfo& info : commandTable()) {
        showCommandTexts(info.command);
    }
    for (std::size_t i = 0; i < optionButtons_.size(); ++i) {
        optionButtons_[i]->setText(screenText(kEditorOptionCaptions[i]));
    }
    for (std::size_t i = 0; i < scoreFrames_.size(); ++i) {
        scoreFrames_[i]->setTitle(screenText(frameCaptions_[i]));
    }
    loopLength_->setText(screenText(loopLengthText_));
    statusLabel_->showText(screenText(status_));
    setWindowTitle(screenText(caption_));
    applyFonts();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closeHandler_ && !closeHandler_()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        emit shown();
    }
}

} // namespace tavrin::app
