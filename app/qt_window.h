// The Qt implementation of the game's window interface, on top of MainWindow.
#pragma once

#include "app/main_window.h"
#include "app/media_bank.h"
#include "app/window_events.h"
#include "game/window.h"
#include "graphics/renderer.h"

#include <QImage>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

namespace tavrin::app {

class QtWindow : public game::Window {
public:
    // `form` and `renderer` must outlive this object; `soundFolder` holds the
    // wave and MIDI files.
    QtWindow(MainWindow& form, graphics::Renderer& renderer, const QString& soundFolder);
    ~QtWindow() override;

    void setEvents(WindowEvents* events) { events_ = events; }
    // The piece shown on the offered-piece panel by a full redraw.
    void setOfferedPieceSource(std::function<int()> source) { offeredPiece_ = std::move(source); }
    // Runs the window's own commands (dialogs, files, help).
    void setShellHandler(std::function<void(game::Command)> handler) { shell_ = std::move(handler); }
    void setBusyPointer(bool busy);
    // Shows the texts the game wrote into the comment box in the language now set.
    void retranslate();

    MainWindow& form() { return form_; }
    MediaBank& media() { return media_; }
    QTimer& timer(game::Timer timer);

    // game::Window
    void setStatusText(const Text& text) override;
    Text statusText() const override;
    void setWindowCaption(const Text& caption) override;
    Text windowCaption() const override;
    void quitProgram() override;
    bool pointerBusy() const override { return busy_; }
    void setClipboardText(const std::string& text) override;
    void shellCommand(game::Command command) override;
    game::Answer messageBox(const Text& text, const Text& title, game::Buttons buttons, game::Icon icon) override;
    std::optional<std::string> inputBox(const Text& prompt, const Text& title,
                                        const std::string& defaultText) override;
    void setScoreLabel(game::ScoreLabel label, const std::string& text) override;
    void setScoreFrameCaption(game::ScoreLabel label, const Text& caption) override;
    void setScoreFrameVisible(game::ScoreLabel label, bool visible) override;
    void setTrash(int count) override;
    void setLoopLengthText(const Text& text) override;
    void setCommentText(const Text& text) override;
    std::string commentText() const override;
    void setCommentVisible(bool visible) override;
    void setCommentReadOnly(bool readOnly) override;
    void setSpinnerRange(int minimum, int maximum) override;
    int spinnerMaximum() const override;
    void setSpinnerValue(int value) override;
    int spinnerValue() const override;
    void setSpinnerEnabled(bool enabled) override;
    void setSpinnerVisible(bool visible) override;
    void setSpinnerLabel(const std::string& text) override;
    void setCommandEnabled(game::Command command, bool enabled) override;
    void setCommandChecked(game::Command command, bool checked) override;
    void setCommandCaption(game::Command command, const Text& caption) override;
    void setCommandToolTip(game::Command command, const Text& toolTip) override;
    void setCommandImage(game::Command command, int image) override;
    void setCommandVisible(game::Command command, bool visible) override;
    void setMenuEnabled(game::Menu menu, bool enabled) override;
    void setPanelVisible(game::Panel panel, bool visible) override;
    bool panelVisible(game::Panel panel) const override;
    void setBoardToolbarEnabled(bool enabled) override;
    void setPaletteBorder(int entry, bool border) override;
    void setPaletteEnabled(int entry, bool enabled) override;
    void setPaletteVisible(int entry, bool visible) override;
    void setEditorOption(game::EditorOption option) override;
    game::EditorOption editorOption() const override;
    void startTimer(game::Timer timer, int intervalMs) override;
    void stopTimer(game::Timer timer) override;
    bool timerRunning(game::Timer timer) const override;
    void drawTile(const game::TileDraw& tile) override;
    void clearOfferedPiece() override;
    void redrawAll() override;
    void redrawBoard() override;
    void setHintCell(int cell) override;
    void mediaOpen(game::Device device, game::DeviceType type, const std::string& file) override;
    void mediaClose(game::Device device) override;
    void mediaPlay(game::Device device, long from, long to) override;
    void mediaSound(game::Device device) override;
    void mediaStop(game::Device device) override;
    void mediaSeek(game::Device device, long position) override;
    long mediaStart(game::Device device) const override;
    long mediaLength(game::Device device) const override;
    long mediaPosition(game::Device device) const override;
    game::DeviceMode mediaMode(game::Device device) const override;
    bool mediaCanPlay(game::Device device) const override;
    void mediaLoop(game::Device device, bool on) override;

private:
    void connectForm();
    // The Edit menu's board submenu follows the board toolbar's state.
    void syncBoardMenu();
    void present(graphics::TileTarget target);

    MainWindow& form_;
    graphics::Renderer& renderer_;
    // The renderer's surfaces as images, on the renderer's own memory.
    QImage boardView_;
    QImage panelView_;
    std::array<QImage, graphics::kPaletteEntries> paletteViews_;
    MediaBank media_;
    WindowEvents* events_ = nullptr;
    std::function<int()> offeredPiece_;
    std::function<void(game::Command)> shell_;
    std::array<std::unique_ptr<QTimer>, 4> timers_;
    bool busy_ = false;
    Text comment_;
    bool settingComment_ = false;
    bool settingSpinner_ = false;
};

} // namespace tavrin::app
