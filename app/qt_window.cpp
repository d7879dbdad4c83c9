#include "app/qt_window.h"

#include "app/dialogs.h"
#include "app/toolbar_icons.h"
#include "graphics/qt_pixels.h"
#include "graphics/screen_text.h"
#include "graphics/window_tiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>

namespace tavrin::app {

using game::Command;
using graphics::screenText;
using graphics::Surface;
using graphics::TileTarget;

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string s(const QString& text)
{
    return text.toStdString();
}

std::size_t timerIndex(game::Timer timer)
{
    return static_cast<std::size_t>(timer);
}

} // namespace

QtWindow::QtWindow(MainWindow& form, graphics::Renderer& renderer, const QString& soundFolder)
    : form_(form), renderer_(renderer), boardView_(graphics::wrapInQImage(renderer_.boardImage())),
      panelView_(graphics::wrapInQImage(renderer_.panelImage())), media_(soundFolder)
{
    form_.board()->setImage(&boardView_);
    form_.offeredPiece()->setImage(&panelView_);
    for (int i = 0; i < graphics::kPaletteEntries; ++i) {
        auto& view = paletteViews_[static_cast<std::size_t>(i)];
        view = graphics::wrapInQImage(renderer_.paletteImage(i));
        form_.paletteEntry(i)->setImage(&view);
    }
    renderer_.setPanelColour(form_.palette().color(QPalette::Window).rgb());
    renderer_.setPresenter([this](TileTarget target) { present(target); });

    for (std::size_t i = 0; i < timers_.size(); ++i) {
        timers_[i] = std::make_unique<QTimer>();
        const auto which = static_cast<game::Timer>(i);
        QObject::connect(timers_[i].get(), &QTimer::timeout, &form_, [this, which] {
            if (events_ != nullptr) {
                events_->timerTick(which);
            }
        });
    }
    connectForm();
    syncBoardMenu();
}

QtWindow::~QtWindow()
{
    for (auto& t : timers_) {
        t->stop();
    }
    media_.closeAll();
}

void QtWindow::connectForm()
{
    QObject::connect(&form_, &MainWindow::commandTriggered, &form_, [this](Command command, bool fromToolbar) {
        if (events_ != nullptr) {
            events_->command(command, fromToolbar);
        }
    });
    QObject::connect(form_.board(), &BoardView::cellReleased, &form_, [this](int cell) {
        if (events_ != nullptr) {
            events_->cellReleased(cell);
        }
    });
    QObject::connect(form_.board(), &BoardView::cellHovered, &form_, [this](int cell) {
        if (events_ != nullptr) {
            events_->cellHovered(cell);
        }
    });
    for (int i = 0; i < kPaletteSize; ++i) {
        QObject::connect(form_.paletteEntry(i), &TileView::pressed, &form_,
                         [this](int entry, Qt::KeyboardModifiers modifiers) {
                             if (events_ != nullptr) {
                                 const auto keys = modifiers;
                                 int state = 0;
                                 state += (keys & Qt::ShiftModifier) ? 1 : 0;
                                 state += (keys & Qt::ControlModifier) ? 2 : 0;
                                 state += (keys & Qt::AltModifier) ? 4 : 0;
                                 events_->palettePressed(entry, state);
                             }
                         });
    }
    QObject::connect(form_.trash(), &TrashView::released, &form_, [this] {
        if (events_ != nullptr) {
            events_->trashReleased();
        }
    });
    // Keyboard play: the keys stand for what the mouse could click.
    QObject::connect(form_.board(), &BoardView::discardKey, &form_, [this] {
        if (events_ != nullptr && panelVisible(game::Panel::FreeGame)) {
            events_->trashReleased();
        }
    });
    QObject::connect(form_.board(), &BoardView::paletteKey, &form_, [this](int entry) {
        if (events_ == nullptr || entry < 0 || entry >= kPaletteSize || !panelVisible(game::Panel::Palette)) {
            return;
        }
        const TileView* tile = form_.paletteEntry(entry);
        if (!tile->isHidden() && tile->isEnabled()) {
            events_->palettePressed(entry, 0);
        }
    });
    QObject::connect(form_.commentBox(), &QLineEdit::textChanged, &form_, [this](const QString& text) {
        if (events_ != nullptr && !settingComment_) {
            events_->commentEdited(s(text));
        }
    });
    QObject::connect(form_.spinner(), &QSpinBox::valueChanged, &form_, [this](int value) {
        if (events_ != nullptr && !settingSpinner_) {
            events_->spinnerChanged(value);
        }
    });
    for (auto option : {game::EditorOption::Random, game::EditorOption::Normal}) {
        QObject::connect(form_.editorOption(option), &QRadioButton::clicked, &form_, [this, option] {
            if (events_ != nullptr) {
                events_->editorOptionClicked(option);
            }
        });
    }
}

QTimer& QtWindow::timer(game::Timer which)
{
    return *timers_.at(timerIndex(which));
}

void QtWindow::setBusyPointer(bool busy)
{
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// --- status bar, caption, program end ---------------------------------------

void QtWindow::setStatusText(const Text& text)
{
    form_.setStatusText(text);
}

Text QtWindow::statusText() const
{
    return form_.statusText();
}

void QtWindow::setWindowCaption(const Text& caption)
{
    form_.setCaption(caption);
}

Text QtWindow::windowCaption() const
{
    return form_.caption();
}

void QtWindow::quitProgram()
{
    // Ending from the menu goes the same way as the close box: it asks before
    // unsaved puzzle edits are lost and tidies up behind itself.
    form_.close();
}

void QtWindow::setClipboardText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(q(text));
}

void QtWindow::shellCommand(Command command)
{
    if (shell_) {
        shell_(command);
    }
}

// --- modal boxes ------------------------------------------------------------

game::Answer QtWindow::messageBox(const Text& text, const Text& title, game::Buttons buttons, game::Icon icon)
{
    MessageRequest request;
    request.text = screenText(text);
    request.title = title.empty() ? defaultTitle() : screenText(title);
    request.buttons = buttons;
    request.icon = icon;
    return showMessage(&form_, request);
}

std::optional<std::string> QtWindow::inputBox(const Text& prompt, const Text& title, const std::string& defaultText)
{
    InputRequest request{screenText(prompt), title.empty() ? defaultTitle() : screenText(title), q(defaultText)};
    const auto answer = askText(&form_, request);
    if (!answer) {
        return std::nullopt;
    }
    return s(*answer);
}

// --- labels -----------------------------------------------------------------

void QtWindow::setScoreLabel(game::ScoreLabel label, const std::string& text)
{
    form_.scoreLabel(label)->setText(q(text));
}

void QtWindow::setScoreFrameCaption(game::ScoreLabel label, const Text& caption)
{
    form_.setScoreFrameCaption(label, caption);
}

void QtWindow::setScoreFrameVisible(game::ScoreLabel label, bool visible)
{
    form_.scoreFrame(label)->setVisible(visible);
}

void QtWindow::setTrash(int count)
{
    form_.trash()->setFull(count > 0);
    form_.trashCount()->setText(count > 0 ? QString::number(count) : QString());
}

void QtWindow::setLoopLengthText(const Text& text)
{
    form_.setLoopLengthText(text);
}

// --- comment box ------------------------------------------------------------

void QtWindow::setCommentText(const Text& text)
{
    comment_ = text;
    settingComment_ = true;
    form_.commentBox()->setText(screenText(text));
    settingComment_ = false;
}

void QtWindow::retranslate()
{
    // A comment typed or read from a file is data and stays as it is.
    if (comment_.marked()) {
        setCommentText(comment_);
    }
}

std::string QtWindow::commentText() const
{
    return s(form_.commentBox()->text());
}

void QtWindow::setCommentVisible(bool visible)
{
    form_.commentBox()->setVisible(visible);
}

void QtWindow::setCommentReadOnly(bool readOnly)
{
    form_.commentBox()->setReadOnly(readOnly);
}

// --- spinner ----------------------------------------------------------------

void QtWindow::setSpinnerRange(int minimum, int maximum)
{
    settingSpinner_ = true;
    form_.spinner()->setRange(minimum, maximum);
    settingSpinner_ = false;
}

int QtWindow::spinnerMaximum() const
{
    return form_.spinner()->maximum();
}

void QtWindow::setSpinnerValue(int value)
{
    settingSpinner_ = true;
    form_.spinner()->setValue(value);
    settingSpinner_ = false;
}

int QtWindow::spinnerValue() const
{
    return form_.spinner()->value();
}

void QtWindow::setSpinnerEnabled(bool enabled)
{
    form_.spinner()->setEnabled(enabled);
}

void QtWindow::setSpinnerVisible(bool visible)
{
    form_.spinner()->setVisible(visible);
    form_.spinnerLabel()->setVisible(visible);
}

void QtWindow::setSpinnerLabel(const std::string& text)
{
    form_.spinnerLabel()->setText(q(text));
}

// --- commands ---------------------------------------------------------------

void QtWindow::setCommandEnabled(Command command, bool enabled)
{
    form_.action(command)->setEnabled(enabled);
}

void QtWindow::setCommandChecked(Command command, bool checked)
{
    QAction* action = form_.action(command);
    if (action->isCheckable()) {
        action->setChecked(checked);
    }
}

void QtWindow::setCommandCaption(Command command, const Text& caption)
{
    form_.setCommandCaption(command, caption);
}

void QtWindow::setCommandToolTip(Command command, const Text& toolTip)
{
    form_.setCommandToolTip(command, toolTip);
}

void QtWindow::setCommandImage(Command command, int image)
{
    form_.setCommandImage(command, image);
}

void QtWindow::setCommandVisible(Command command, bool visible)
{
    form_.action(command)->setVisible(visible);
}

void QtWindow::setMenuEnabled(game::Menu menu, bool enabled)
{
    form_.menu(menu)->setEnabled(enabled);
}

// --- panels, palette, options -----------------------------------------------

void QtWindow::setPanelVisible(game::Panel panel, bool visible)
{
    switch (panel) {
    case game::Panel::FreeGame:
        form_.freeGamePanel()->setVisible(visible);
        if (visible) {
            // Back from the editor or a series: drop the room their palette,
            // toolbar and comment box took, once they are hidden too.
            QTimer::singleShot(0, &form_, [this] {
                if (!form_.isMaximized() && !form_.isFullScreen()) {
                    form_.fitToContents();
                }
            });
        }
        break;
    case game::Panel::Palette: form_.palettePanel()->setVisible(visible); break;
    case game::Panel::BoardToolbar:
        form_.boardToolbar()->setVisible(visible);
        syncBoardMenu();
        break;
    case game::Panel::EditorOptions: form_.editorOptions()->setVisible(visible); break;
    }
}

bool QtWindow::panelVisible(game::Panel panel) const
{
    switch (panel) {
    case game::Panel::FreeGame: return !form_.freeGamePanel()->isHidden();
    case game::Panel::Palette: return !form_.palettePanel()->isHidden();
    case game::Panel::BoardToolbar: return !form_.boardToolbar()->isHidden();
    case game::Panel::EditorOptions: return !form_.editorOptions()->isHidden();
    }
    return false;
}

void QtWindow::setBoardToolbarEnabled(bool enabled)
{
    form_.boardToolbar()->setEnabled(enabled);
    syncBoardMenu();
}

void QtWindow::syncBoardMenu()
{
    const QToolBar* bar = form_.boardToolbar();
    form_.boardMenu()->setEnabled(!bar->isHidden() && bar->isEnabledTo(&form_));
}

void QtWindow::setPaletteBorder(int entry, bool border)
{
    if (entry >= 0 && entry < kPaletteSize) {
        form_.paletteEntry(entry)->setBorder(border);
    }
}

void QtWindow::setPaletteEnabled(int entry, bool enabled)
{
    if (entry >= 0 && entry < kPaletteSize) {
        form_.paletteEntry(entry)->setEnabled(enabled);
        if (entry == kEraser) {
            form_.paletteEntry(entry)->setPixmap(eraserPixmap(enabled));
        }
    }
}

void QtWindow::setPaletteVisible(int entry, bool visible)
{
    if (entry >= 0 && entry < kPaletteSize) {
        form_.paletteEntry(entry)->setVisible(visible);
    }
}

void QtWindow::setEditorOption(game::EditorOption option)
{
    form_.editorOption(option)->setChecked(true);
}

game::EditorOption QtWindow::editorOption() const
{
    return form_.editorOption(game::EditorOption::Random)->isChecked() ? game::EditorOption::Random
                                                                       : game::EditorOption::Normal;
}

// --- timers -----------------------------------------------------------------

void QtWindow::startTimer(game::Timer which, int intervalMs)
{
    timers_.at(timerIndex(which))->start(std::max(intervalMs, 0));
}

void QtWindow::stopTimer(game::Timer which)
{
    timers_.at(timerIndex(which))->stop();
}

bool QtWindow::timerRunning(game::Timer which) const
{
    return timers_.at(timerIndex(which))->isActive();
}

// --- drawing ----------------------------------------------------------------

void QtWindow::drawTile(const game::TileDraw& tile)
{
    const std::optional<TileTarget> target = graphics::composeTile(renderer_, tile);
    if (target && !tile.present) {
        present(*target); // shown with the next repaint
    }
}

void QtWindow::clearOfferedPiece()
{
    renderer_.clearTile(TileTarget::panel());
    present(TileTarget::panel());
}

void QtWindow::redrawAll()
{
    renderer_.redrawAll(offeredPiece_ ? offeredPiece_() : -1, panelVisible(game::Panel::Palette));
    for (int i = 0; i < graphics::kPaletteEntries; ++i) {
        form_.paletteEntry(i)->update();
    }
}

void QtWindow::redrawBoard()
{
    renderer_.redrawBoard();
}

void QtWindow::setHintCell(int cell)
{
    form_.board()->setHintCell(cell);
}

void QtWindow::present(TileTarget target)
{
    switch (target.surface) {
    case Surface::Board:
        if (target.index < 0) {
            form_.board()->update();
        } else {
            form_.board()->update(form_.board()->cellRect(target.index));
        }
        break;
    case Surface::Panel: form_.offeredPiece()->update(); break;
    case Surface::Palette:
        if (target.index >= 0 && target.index < kPaletteSize) {
            form_.paletteEntry(target.index)->update();
        }
        break;
    }
}

// --- media ------------------------------------------------------------------

void QtWindow::mediaOpen(game::Device device, game::DeviceType type, const std::string& file)
{
    media_.open(device, type, file);
}
void QtWindow::mediaClose(game::Device device) { media_.close(device); }
void QtWindow::mediaPlay(game::Device device, long from, long to) { media_.play(device, from, to); }
void QtWindow::mediaSound(game::Device device) { media_.sound(device); }
void QtWindow::mediaStop(game::Device device) { media_.stop(device); }
void QtWindow::mediaSeek(game::Device device, long position) { media_.seek(device, position); }
long QtWindow::mediaStart(game::Device device) const { return media_.start(device); }
long QtWindow::mediaLength(game::Device device) const { return media_.length(device); }
long QtWindow::mediaPosition(game::Device device) const { return media_.position(device); }
game::DeviceMode QtWindow::mediaMode(game::Device device) const { return media_.mode(device); }
bool QtWindow::mediaCanPlay(game::Device device) const { return media_.canPlay(device); }
void QtWindow::mediaLoop(game::Device device, bool on) { media_.setLooping(device, on); }

} // namespace tavrin::app
