// The game window of the browser page: keeps what the game set and hands it
// to the page's script, which shows it in our own HTML around the canvases.
// Texts stay Text objects here, so that a change of language redraws them.
#pragma once

#include "engine/scoring.h"
#include "engine/ui_text.h"
#include "game/window.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace tavrin::web {

// Where a text goes in the page.
enum class TextSlot { Status = 0, Caption = 1, LoopLength = 2, ScoreLabel = 3, FrameCaption = 4,
                      SpinnerLabel = 5, Comment = 6 };
// Where a number or a switch goes in the page. SpinnerValue carries the
// spinner's maximum as its index.
enum class FlagSlot { FrameVisible = 0, Trash = 1, PanelVisible = 2, SpinnerVisible = 3, SpinnerValue = 4,
                      MenuEnabled = 5, HintCell = 6, CommentVisible = 7, SpinnerEnabled = 8 };

// Draws the tiles the game asks for and shows them on the page's canvases.
class TilePainter {
public:
    virtual ~TilePainter() = default;
    virtual void drawTile(const game::TileDraw& tile) = 0;
    virtual void clearOfferedPiece() = 0;
    virtual void redrawAll(int offeredPiece, bool paletteVisible) = 0;
    virtual void redrawBoard() = 0;
};

class WebWindow : public game::Window {
public:
    using Translate = Text::Translate;

    explicit WebWindow(TilePainter& painter);

    // The language texts are shown in; everything on the page is sent again.
    void setTranslate(Translate translate);
    std::string shown(const Text& text) const;
    void setOfferedPieceSource(std::function<int()> source) { offeredPiece_ = std::move(source); }
    void setShellHandler(std::function<void(game::Command)> handler) { shell_ = std::move(handler); }
    bool commandEnabled(game::Command command) const;
    // Sends every text, switch and command state to the page.
    void sendAll();

    void setStatusText(const Text& text) override;
    Text statusText() const override { return status_; }
    void setWindowCaption(const Text& caption) override;
    Text windowCaption() const override { return caption_; }
    void quitProgram() override {}
    bool pointerBusy() const override { return false; }
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
    std::string commentText() const override { return shown(comment_); }
    void setCommentVisible(bool visible) override;
    void setCommentReadOnly(bool) override {}

    void setSpinnerRange(int minimum, int maximum) override;
    int spinnerMaximum() const override { return spinnerMax_; }
    void setSpinnerValue(int value) override;
    int spinnerValue() const override { return spinner_; }
    void setSpinnerEnabled(bool enabled) override;
    void setSpinnerVisible(bool visible) override;
    void setSpinnerLabel(const std::string& text) override;

    void setCommandEnabled(game::Command command, bool enabled) override;
    void setCommandChecked(game::Command command, bool checked) override;
    void setCommandCaption(game::Command command, const Text& caption) override;
    void setCommandToolTip(game::Command command, const Text& toolTip) override;
    void setCommandImage(game::Command, int) override {}
    void setCommandVisible(game::Command command, bool visible) override;
    void setMenuEnabled(game::Menu menu, bool enabled) override;

    void setPanelVisible(game::Panel panel, bool visible) override;
    bool panelVisible(game::Panel panel) const override;
    void setBoardToolbarEnabled(bool) override {}
    void setPaletteBorder(int, bool) override {}
    void setPaletteEnabled(int, bool) override {}
    void setPaletteVisible(int, bool) override {}
    void setEditorOption(game::EditorOption option) override { option_ = option; }
    game::EditorOption editorOption() const override { return option_; }

    void startTimer(game::Timer timer, int intervalMs) override;
    void stopTimer(game::Timer timer) override;
    bool timerRunning(game::Timer timer) const override;

    void drawTile(const game::TileDraw& tile) override { painter_.drawTile(tile); }
    void clearOfferedPiece() override { painter_.clearOfferedPiece(); }
    void redrawAll() override;
    void redrawBoard() override { painter_.redrawBoard(); }
    void setHintCell(int cell) override;

    void mediaOpen(game::Device device, game::DeviceType type, const std::string& file) override;
    void mediaClose(game::Device device) override;
    void mediaPlay(game::Device device, long from, long to) override;
    void mediaSound(game::Device device) override;
    void mediaStop(game::Device device) override;
    void mediaSeek(game::Device device, long position) override;
    long mediaStart(game::Device) const override { return 0; }
    long mediaLength(game::Device device) const override;
    long mediaPosition(game::Device device) const override;
    game::DeviceMode mediaMode(game::Device device) const override;
    bool mediaCanPlay(game::Device device) const override;

private:
    struct CommandState {
        bool enabled = true;
        bool checked = false;
        bool visible = true;
        Text caption;
        Text toolTip;
    };
    void sendText(TextSlot slot, int index, const Text& text) const;
    void sendFlag(FlagSlot slot, int index, int value) const;
    void sendCommand(game::Command command) const;

    TilePainter& painter_;
    Translate translate_;
    std::function<int()> offeredPiece_;
    std::function<void(game::Command)> shell_;
    Text status_;
    Text caption_;
    Text loopLength_;
    std::array<std::string, 4> scoreLabels_;
    std::array<Text, 4> frameCaptions_{kEcoPointsCaption, kMovesLeftCaption, kLoopPointsCaption, kChainCaption};
    std::array<bool, 4> frameVisible_{true, true, true, true};
    int trash_ = 0;
    Text comment_;
    bool commentVisible_ = false;
    int spinner_ = 0;
    int spinnerMax_ = 0;
    bool spinnerEnabled_ = true;
    bool spinnerVisible_ = false;
    std::string spinnerLabel_;
    std::array<CommandState, game::kCommandCount> commands_;
    std::array<bool, 4> menus_{true, true, true, true};
    std::array<bool, 4> panels_{true, false, false, false};
    std::array<bool, 4> timers_{};
    game::EditorOption option_ = game::EditorOption::Normal;
    int hintCell_ = -1;
};

} // namespace tavrin::web
