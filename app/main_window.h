// The form of the game: menus, both toolbars, the board, the side panels,
// the score frames, the comment box and the status bar. It only shows and
// reports; QtWindow gives it its behaviour. It keeps every text it shows as a
// Text, so that a change of language shows them all again in the new one.
#pragma once

#include "app/board_widgets.h"
#include "app/language.h"
#include "app/status_text.h"
#include "engine/ui_text.h"
#include "game/command.h"
#include "game/screen.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSpinBox;
class QToolBar;

namespace tavrin::app {

using game::kPaletteSize; // pieces 0..10 and the eraser

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QAction* action(game::Command command) const;
    QMenu* menu(game::Menu menu) const;
    QToolBar* mainToolbar() const { return mainToolbar_; }
    QToolBar* boardToolbar() const { return boardToolbar_; }

    BoardView* board() const { return board_; }
    TileView* offeredPiece() const { return offered_; }
    TrashView* trash() const { return trash_; }
    QLabel* trashCount() const { return trashCount_; }
    TileView* paletteEntry(int entry) const;
    QLabel* scoreLabel(game::ScoreFrame label) const;
    QGroupBox* scoreFrame(game::ScoreFrame label) const;
    QLabel* loopLengthLabel() const { return loopLength_; }
    QLineEdit* commentBox() const { return comment_; }
    QSpinBox* spinner() const { return spinner_; }
    QLabel* spinnerLabel() const { return spinnerLabel_; }
    QRadioButton* editorOption(game::EditorOption option) const;
    QWidget* freeGamePanel() const { return freePanel_; }
    QWidget* palettePanel() const { return palettePanel_; }
    QWidget* editorOptions() const { return options_; }

    // Texts that change while the program runs.
    void setCommandCaption(game::Command command, const Text& caption);
    void setCommandToolTip(game::Command command, const Text& toolTip);
    void setStatusText(const Text& text);
    const Text& statusText() const { return status_; }
    StatusText* statusLabel() const { return statusLabel_; }
    void setCaption(const Text& caption);
    const Text& caption() const { return caption_; }
    void setLoopLengthText(const Text& text);
    void setScoreFrameCaption(game::ScoreFrame label, const Text& caption);
    // Shows every text of the window again in the language now installed.
    void retranslate();

    // The options menu's "言語 / Language" submenu: one item per language,
    // the current one checked.
    QMenu* languageMenu() const { return languageMenu_; }
    QAction* languageAction(Language language) const;
    void setLanguageChecked(Language language);

    // Asked before the window closes; false keeps it open.
    void setCloseHandler(std::function<bool()> handler) { closeHandler_ = std::move(handler); }

    // The main toolbar button image list (1..20).
    void setCommandImage(game::Command command, int image);

    // Board, panels, palette and their labels shown at `zoom` (1..3) times
    // their size; the window takes the size it needs.
    void setZoom(int zoom);
    // Shrinks or grows the window to what its visible contents need.
    void fitToContents();
    int zoom() const { return zoom_; }
    // The size the window, frame included, takes at `zoom`: measured at the
    // zoom shown, worked out from it for the others (the board, the panels
    // and their texts grow with the zoom; menus and toolbars do not).
    QSize frameSizeAtZoom(int zoom) const;
    // The item "×zoom" of the options menu's "表示倍率(&Z)" submenu.
    QAction* zoomAction(int zoom) const;
    QMenu* zoomMenu() const { return zoomMenu_; }
    // The Edit menu's "盤の変形(&B)" submenu: the board toolbar's commands.
    QMenu* boardMenu() const { return boardMenu_; }

signals:
    // `fromToolbar`: the toolbar button was clicked rather than the menu item.
    void commandTriggered(tavrin::game::Command command, bool fromToolbar);
    void shown();
    // The player picked a zoom in the menu (not yet applied).
    void zoomChosen(int zoom);
    // The player picked a language in the menu (not yet applied).
    void languageChosen(tavrin::app::Language language);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Keys of keyboard play that reach the window from elsewhere go to the board.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildZoomMenu();
    void buildLanguageMenu();
    void showCommandTexts(game::Command command);
    void applyFonts();
    void settleLayout();
    void buildToolbars();
    void buildCentre();
    QGridLayout* buildScoreFrames(QWidget* centre);

    std::array<QAction*, game::kCommandCount> actions_{};
    std::array<QMenu*, 4> menus_{};
    QToolBar* mainToolbar_ = nullptr;
    QToolBar* boardToolbar_ = nullptr;

    BoardView* board_ = nullptr;
    TileView* offered_ = nullptr;
    TrashView* trash_ = nullptr;
    QLabel* trashCount_ = nullptr;
    std::array<TileView*, kPaletteSize> palette_{};
    std::array<QLabel*, 4> scoreLabels_{};
    std::array<QGroupBox*, 4> scoreFrames_{};
    QLabel* loopLength_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QSpinBox* spinner_ = nullptr;
    QLabel* spinnerLabel_ = nullptr;
    std::array<QRadioButton*, 2> optionButtons_{};
    QWidget* freePanel_ = nullptr;
    QWidget* palettePanel_ = nullptr;
    QWidget* options_ = nullptr;

    QMenu* zoomMenu_ = nullptr;
    QMenu* boardMenu_ = nullptr;
    QActionGroup* zoomGroup_ = nullptr;
    std::array<QAction*, 3> zoomActions_{};
    int zoom_ = 1;
    QFont baseFont_;

    std::array<Text, game::kCommandCount> captions_;
    std::array<Text, game::kCommandCount> toolTips_;
    std::array<Text, 4> frameCaptions_;
    Text status_;
    Text caption_;
    Text loopLengthText_;
    StatusText* statusLabel_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    std::array<QAction*, 2> languageActions_{};

    QAction* pressedButton_ = nullptr; // toolbar button being clicked
    std::function<bool()> closeHandler_;
    bool shownOnce_ = false;
};

} // namespace tavrin::app
