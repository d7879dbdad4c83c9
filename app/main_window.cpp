#include "app/main_window.h"

#include "app/command_table.h"
#include "app/toolbar_icons.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavrin::app {

using game::Command;

namespace {

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr std::array<std::string_view, 4> kFrameCaptions{"エコ点", "残り手数", "ループ点", "連続得点"};
constexpr std::array<std::string_view, 4> kInitialScores{"0", "100", "0", ""};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Tavrin for Windows"));
    setWindowIcon(mainToolbarIcon(10));
    buildActions();
    buildMenus();
    buildToolbars();
    buildCentre();
    statusBar()->setSizeGripEnabled(false);
    // The status area is as wide as the eco goal text.
    statusBar()->setMinimumWidth(
        statusBar()->fontMetrics().horizontalAdvance(
            q("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。"))
        + 24);
}

void MainWindow::buildActions()
{
    for (const CommandInfo& info : commandTable()) {
        auto* action = new QAction(this);
        if (info.command == Command::GameSeparator) {
            action->setSeparator(true);
        } else {
            action->setText(info.inMenu ? q(info.caption) : q(info.toolTip));
        }
        if (!info.shortcut.empty()) {
            action->setShortcut(QKeySequence(q(info.shortcut)));
        }
        if (!info.toolTip.empty()) {
            action->setToolTip(q(info.toolTip));
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
        menus_[static_cast<std::size_t>(m)] = menuBar()->addMenu(q(menuCaption(m)));
    }
    for (const CommandInfo& info : commandTable()) {
        if (!info.inMenu) {
            continue;
        }
        QMenu* target = menus_[static_cast<std::size_t>(info.menu)];
        if (info.separatorBefore) {
            target->addSeparator();
        }
        target->addAction(action(info.command));
    }
    // The Edit menu is in use only in the editor.
    menus_[static_cast<std::size_t>(game::Menu::Edit)]->setEnabled(false);
}

void MainWindow::buildToolbars()
{
    const QSize iconSize(kToolbarIconSize, kToolbarIconSize);
    toolbar1_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar1_->setMovable(false);
    toolbar1_->setIconSize(iconSize);
    toolbar2_ = new QToolBar(QStringLiteral("Toolbar2"), this);
    toolbar2_->setObjectName(QStringLiteral("Toolbar2"));
    toolbar2_->setMovable(false);
    toolbar2_->setIconSize(iconSize);
    addToolBarBreak();
    addToolBar(toolbar2_);

    for (auto [bar, kind, count] : {std::tuple{toolbar1_, Toolbar::Main, 18}, std::tuple{toolbar2_, Toolbar::Board, 11}}) {
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
    toolbar2_->hide();
}

void MainWindow::buildCentre()
{
    auto* centre = new QWidget(this);
    auto* columns = new QHBoxLayout(centre);

    // Left: the board, the loop-length label and the comment box.
    auto* left = new QVBoxLayout;
    board_ = new BoardView(centre);
    left->addWidget(board_, 0, Qt::AlignLeft | Qt::AlignTop);
    loopLength_ = new QLabel(q("最小ループ長：0"), centre);
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
    spinner_ = new QSpinBox(palettePanel_);
    spinner_->setRange(0, 0);
    spinnerLabel_ = new QLabel(palettePanel_);
    paletteLayout->addWidget(spinnerLabel_, 3, 0, 1, 2);
    paletteLayout->addWidget(spinner_, 3, 2, 1, 2);
    options_ = new QWidget(palettePanel_);
    auto* optionLayout = new QHBoxLayout(options_);
    optionLayout->setContentsMargins(0, 0, 0, 0);
    optionButtons_[0] = new QRadioButton(q("ランダム"), options_);
    optionButtons_[1] = new QRadioButton(q("通常"), options_);
    optionButtons_[1]->setChecked(true);
    optionLayout->addWidget(optionButtons_[0]);
    optionLayout->addWidget(optionButtons_[1]);
    options_->hide();
    paletteLayout->addWidget(options_, 4, 0, 1, 4);
    palettePanel_->hide();
    right->addWidget(palettePanel_);

    auto* scores = new QGridLayout;
    for (std::size_t i = 0; i < 4; ++i) {
        scoreFrames_[i] = new QGroupBox(q(kFrameCaptions[i]), centre);
        auto* frameLayout = new QVBoxLayout(scoreFrames_[i]);
        scoreLabels_[i] = new QLabel(q(kInitialScores[i]), scoreFrames_[i]);
        scoreLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        scoreLabels_[i]->setMinimumWidth(60);
        QFont font = scoreLabels_[i]->font();
        font.setPointSizeF(font.pointSizeF() * 1.3);
        font.setBold(true);
        scoreLabels_[i]->setFont(font);
        frameLayout->addWidget(scoreLabels_[i]);
        scores->addWidget(scoreFrames_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    right->addLayout(scores);
    right->addStretch(1);
    columns->addLayout(right);

    setCentralWidget(centre);
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

QLabel* MainWindow::scoreLabel(game::ScoreLabel label) const
{
    return scoreLabels_.at(static_cast<std::size_t>(label));
}

QGroupBox* MainWindow::scoreFrame(game::ScoreLabel label) const
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
