#include "app/qt_window.h"

#include "app/dialogs.h"
#include "app/high_score_dialog.h"
#include "app/toolbar_icons.h"
#include "game/command_table.h"
#include "game/session.h"
#include "graphics/qt_pixels.h"
#include "graphics/screen_drawings.h"
#include "graphics/screen_text.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolBar>

namespace tavrin::app {

using game::Command;
using game::Part;
using graphics::screenText;
using graphics::Surface;
using graphics::TileTarget;

namespace {

constexpr std::size_t at(auto e) { return static_cast<std::size_t>(e); }

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

    wake_.setSingleShot(true);
    QObject::connect(&wake_, &QTimer::timeout, &form_, [this] {
        if (session_ != nullptr) {
            session_->tick(session_->output().now());
        }
    });
    connectForm();
    syncBoardMenu();
}

QtWindow::~QtWindow()
{
    wake_.stop();
    media_.closeAll();
}

void QtWindow::connectForm()
{
    // Input is the player's only: what the widgets report while they are made
    // to show the model is not.
    auto ready = [this] { return session_ != nullptr && !showing_; };
    QObject::connect(&form_, &MainWindow::commandTriggered, &form_, [this, ready](Command c, bool fromToolbar) {
        if (ready()) {
            session_->command(c, fromToolbar ? game::Source::Toolbar : game::Source::Menu);
        }
    });
    QObject::connect(form_.board(), &BoardView::cellReleased, &form_, [this, ready](int cell) {
        if (ready()) {
            session_->cellReleased(cell);
        }
    });
    QObject::connect(form_.board(), &BoardView::cellHovered, &form_, [this, ready](int cell) {
        if (ready()) {
            session_->cellHovered(cell);
        }
    });
    QObject::connect(form_.board(), &BoardView::keyPressed, &form_, [this, ready](game::Key key) {
        if (ready()) {
            session_->key(key);
        }
    });
    for (int i = 0; i < game::kPaletteSize; ++i) {
        QObject::connect(form_.paletteEntry(i), &TileView::pressed, &form_,
                         [this, ready](int entry, Qt::KeyboardModifiers keys) {
                             if (!ready()) {
                                 return;
                             }
                             int state = 0;
                             state += (keys & Qt::ShiftModifier) ? 1 : 0;
                             state += (keys & Qt::ControlModifier) ? 2 : 0;
                             state += (keys & Qt::AltModifier) ? 4 : 0;
                             session_->palettePressed(entry, state);
                         });
    }
    QObject::connect(form_.trash(), &TrashView::released, &form_, [this, ready] {
        if (ready()) {
            session_->trashReleased();
        }
    });
    QObject::connect(form_.commentBox(), &QLineEdit::textChanged, &form_, [this, ready](const QString& text) {
        if (ready()) {
            session_->commentEdited(text.toStdString());
        }
    });
    QObject::connect(form_.spinner(), &QSpinBox::valueChanged, &form_, [this, ready](int value) {
        if (ready()) {
            session_->spinnerChanged(value);
        }
    });
    for (auto option : {game::EditorOption::Random, game::EditorOption::Normal}) {
        QObject::connect(form_.editorOption(option), &QRadioButton::clicked, &form_, [this, ready, option] {
            if (ready()) {
                session_->editorOptionClicked(option);
            }
        });
    }
}

// --- showing the screen ------------------------------------------------------

void QtWindow::show(const game::Screen& screen, const game::ScreenChanges& changes)
{
    showing_ = true;
    if (changes.has(Part::Status)) {
        form_.setStatusText(screen.status);
    }
    if (changes.has(Part::Caption)) {
        form_.setCaption(screen.caption);
    }
    if (changes.has(Part::Commands)) {
        showCommands(screen, changes);
    }
    if (changes.has(Part::Menus)) {
        for (int m = 0; m < game::kMenuCount; ++m) {
            form_.menu(static_cast<game::Menu>(m))->setEnabled(screen.menus[at(m)]);
        }
    }
    if (changes.has(Part::Frames)) {
        showFrames(screen);
    }
    if (changes.has(Part::Trash)) {
        form_.trash()->setFull(screen.trash > 0);
        form_.trashCount()->setText(screen.trash > 0 ? QString::number(screen.trash) : QString());
    }
    if (changes.has(Part::LoopLength)) {
        form_.setLoopLengthText(screen.loopLength);
    }
    if (changes.has(Part::Comment)) {
        showComment(screen);
    }
    if (changes.has(Part::Spinner)) {
        showSpinner(screen);
    }
    if (changes.has(Part::Panels) || changes.has(Part::BoardToolbar)) {
        showPanels(screen);
    }
    if (changes.has(Part::Palette)) {
        showPalette(screen);
    }
    if (changes.has(Part::EditorOption)) {
        form_.editorOption(screen.editorOption)->setChecked(true);
    }
    if (changes.has(Part::Hint)) {
        form_.board()->setHintCell(screen.hintCell);
    }
    if (changes.has(Part::Cursor)) {
        form_.board()->setCursor(screen.cursor.cell, screen.cursor.shown);
    }
    if (changes.has(Part::Busy)) {
        showBusy(screen.busy);
    }
    graphics::paintDrawings(renderer_, changes.drawings);
    showing_ = false;
}

void QtWindow::showCommands(const game::Screen& screen, const game::ScreenChanges& changes)
{
    for (const game::CommandInfo& info : game::commandTable()) {
        if (!changes.has(info.command)) {
            continue;
        }
        const game::CommandView& view = screen.command(info.command);
        QAction* action = form_.action(info.command);
        action->setEnabled(view.enabled);
        action->setVisible(view.visible);
        if (action->isCheckable()) {
            action->setChecked(view.checked);
        }
        if (!view.caption.empty()) {
            form_.setCommandCaption(info.command, view.caption);
        }
        form_.setCommandToolTip(info.command, view.toolTip);
        if (view.image >= 0) {
            form_.setCommandImage(info.command, view.image);
        }
    }
}

void QtWindow::showFrames(const game::Screen& screen)
{
    for (int i = 0; i < game::kFrameCount; ++i) {
        const auto frame = static_cast<game::ScoreFrame>(i);
        const game::FrameView& view = screen.frame(frame);
        form_.scoreLabel(frame)->setText(QString::fromStdString(view.value));
        form_.setScoreFrameCaption(frame, view.caption);
        form_.scoreFrame(frame)->setVisible(view.visible);
    }
}

void QtWindow::showComment(const game::Screen& screen)
{
    QLineEdit* box = form_.commentBox();
    // What the player typed is in the model already: the cursor stays where it is.
    const QString text = screenText(screen.comment.text);
    if (box->text() != text) {
        box->setText(text);
    }
    box->setVisible(screen.comment.visible);
    box->setReadOnly(screen.comment.readOnly);
}

void QtWindow::showSpinner(const game::Screen& screen)
{
    const game::SpinnerView& view = screen.spinner;
    form_.spinner()->setRange(0, view.maximum);
    form_.spinner()->setValue(view.value);
    form_.spinner()->setEnabled(view.enabled);
    form_.spinner()->setVisible(view.visible);
    form_.spinnerLabel()->setVisible(view.visible);
    form_.spinnerLabel()->setText(QString::fromStdString(view.label));
}

void QtWindow::showPanels(const game::Screen& screen)
{
    const bool freeGame = screen.panel(game::Panel::FreeGame);
    const bool freeGameReturns = freeGame && form_.freeGamePanel()->isHidden();
    form_.freeGamePanel()->setVisible(freeGame);
    form_.palettePanel()->setVisible(screen.panel(game::Panel::Palette));
    form_.boardToolbar()->setVisible(screen.panel(game::Panel::BoardToolbar));
    form_.boardToolbar()->setEnabled(screen.boardToolbarEnabled);
    form_.editorOptions()->setVisible(screen.panel(game::Panel::EditorOptions));
    syncBoardMenu();
    if (freeGameReturns) {
        // Back from the editor or a series: drop the room their palette,
        // toolbar and comment box took, once they are hidden too.
        QTimer::singleShot(0, &form_, [this] {
            if (!form_.isMaximized() && !form_.isFullScreen()) {
                form_.fitToContents();
            }
        });
    }
}

void QtWindow::syncBoardMenu()
{
    const QToolBar* bar = form_.boardToolbar();
    form_.boardMenu()->setEnabled(!bar->isHidden() && bar->isEnabledTo(&form_));
}

void QtWindow::showPalette(const game::Screen& screen)
{
    for (int e = 0; e < game::kPaletteSize; ++e) {
        const game::PaletteView& view = screen.palette[at(e)];
        TileView* tile = form_.paletteEntry(e);
        tile->setBorder(view.selected);
        if (tile->isEnabled() != view.enabled && e == game::kPaletteSize - 1) {
            tile->setPixmap(eraserPixmap(view.enabled));
        }
        tile->setEnabled(view.enabled);
        tile->setVisible(view.visible);
    }
}

void QtWindow::showBusy(bool busy)
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
        if (target.index >= 0 && target.index < game::kPaletteSize) {
            form_.paletteEntry(target.index)->update();
        }
        break;
    }
}

// --- boxes, timer, actions ------------------------------------------------------

void QtWindow::showBox(const game::Box& box)
{
    game::BoxAnswer answer;
    const QString title = box.title.empty() ? defaultTitle() : screenText(box.title);
    switch (box.kind) {
    case game::Box::Kind::Message: {
        MessageRequest request;
        request.text = screenText(box.text);
        request.title = title;
        request.buttons = box.buttons;
        request.icon = box.icon;
        answer.answer = showMessage(&form_, request);
        break;
    }
    case game::Box::Kind::Input: {
        const InputRequest request{screenText(box.text), title, QString::fromStdString(box.defaultText)};
        const std::optional<QString> text = askText(&form_, request);
        answer.answer = text ? game::Answer::Ok : game::Answer::Cancel;
        if (text) {
            answer.text = text->toStdString();
        }
        break;
    }
    case game::Box::Kind::HighScores: {
        HighScoreDialog dialog(box.scores, &form_);
        if (!box.scores.registrationPage.empty()) {
            dialog.setRegistrationPage(QString::fromStdString(box.scores.registrationPage));
        }
        runModal(dialog);
        answer.answer = dialog.okPressed() ? game::Answer::Ok : game::Answer::Cancel;
        break;
    }
    }
    if (session_ != nullptr) {
        session_->answer(box.id, answer);
    }
}

void QtWindow::wakeIn(game::Millis delayMs)
{
    if (delayMs < 0) {
        wake_.stop();
        return;
    }
    wake_.start(static_cast<int>(std::min<game::Millis>(delayMs, 600000)));
}

void QtWindow::act(game::Action action)
{
    if (actions_) {
        actions_(action);
    }
}

} // namespace tavrin::app
