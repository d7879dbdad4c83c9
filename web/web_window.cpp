#include "web/web_window.h"

#include "game/command_table.h"
#include "web/page_bridge.h"

#include <cstdlib>
#include <memory>

namespace tavrin::web {

using game::Command;

namespace {

constexpr std::size_t at(auto e) { return static_cast<std::size_t>(e); }

enum MediaAction { kOpen = 0, kClose = 1, kPlay = 2, kSound = 3, kStop = 4, kSeek = 5 };
enum MediaQuery { kLength = 0, kPosition = 1, kMode = 2, kCanPlay = 3 };

struct FreeString {
    void operator()(char* p) const { std::free(p); }
};

} // namespace

WebWindow::WebWindow(TilePainter& painter) : painter_(painter)
{
    translate_ = [](const Phrase& phrase) { return std::string(phrase.source); };
    for (const game::CommandInfo& info : game::commandTable()) {
        CommandState& c = commands_[at(info.command)];
        c.enabled = info.enabled;
        c.checked = info.checked;
        c.caption = game::isEmpty(info.caption) ? Text() : Text(info.caption);
        c.toolTip = game::isEmpty(info.toolTip) ? Text() : Text(info.toolTip);
    }
}

void WebWindow::setTranslate(Translate translate)
{
    translate_ = std::move(translate);
    sendAll();
}

std::string WebWindow::shown(const Text& text) const
{
    return text.render(translate_);
}

bool WebWindow::commandEnabled(Command command) const
{
    const CommandState& c = commands_[at(command)];
    return c.enabled && c.visible && menus_[at(game::commandInfo(command).menu)];
}

void WebWindow::sendText(TextSlot slot, int index, const Text& text) const
{
    tavrin_js_set_text(static_cast<int>(slot), index, shown(text).c_str());
}

void WebWindow::sendFlag(FlagSlot slot, int index, int value) const
{
    tavrin_js_set_flag(static_cast<int>(slot), index, value);
}

void WebWindow::sendCommand(Command command) const
{
    const CommandState& c = commands_[at(command)];
    tavrin_js_command(static_cast<int>(command), c.enabled ? 1 : 0, c.checked ? 1 : 0, c.visible ? 1 : 0,
                      shown(c.caption).c_str(), shown(c.toolTip).c_str());
}

void WebWindow::sendAll()
{
    sendText(TextSlot::Status, 0, status_);
    sendText(TextSlot::Caption, 0, caption_);
    sendText(TextSlot::LoopLength, 0, loopLength_);
    for (int i = 0; i < 4; ++i) {
        sendText(TextSlot::ScoreLabel, i, Text(scoreLabels_[at(i)]));
        sendText(TextSlot::FrameCaption, i, frameCaptions_[at(i)]);
        sendFlag(FlagSlot::FrameVisible, i, frameVisible_[at(i)] ? 1 : 0);
        sendFlag(FlagSlot::PanelVisible, i, panels_[at(i)] ? 1 : 0);
        sendFlag(FlagSlot::MenuEnabled, i, menus_[at(i)] ? 1 : 0);
    }
    sendFlag(FlagSlot::Trash, 0, trash_);
    sendText(TextSlot::Comment, 0, comment_);
    sendFlag(FlagSlot::CommentVisible, 0, commentVisible_ ? 1 : 0);
    sendText(TextSlot::SpinnerLabel, 0, Text(spinnerLabel_));
    sendFlag(FlagSlot::SpinnerValue, spinnerMax_, spinner_);
    sendFlag(FlagSlot::SpinnerVisible, 0, spinnerVisible_ ? 1 : 0);
    sendFlag(FlagSlot::SpinnerEnabled, 0, spinnerEnabled_ ? 1 : 0);
    sendFlag(FlagSlot::HintCell, 0, hintCell_);
    for (int i = 0; i < game::kCommandCount; ++i) {
        sendCommand(static_cast<Command>(i));
    }
}

// --- status bar, caption --------------------------------------------------------

void WebWindow::setStatusText(const Text& text)
{
    status_ = text;
    sendText(TextSlot::Status, 0, text);
}

void WebWindow::setWindowCaption(const Text& caption)
{
    caption_ = caption;
    sendText(TextSlot::Caption, 0, caption);
}

void WebWindow::setClipboardText(const std::string& text)
{
    tavrin_js_clipboard(text.c_str());
}

void WebWindow::shellCommand(Command command)
{
    if (shell_) {
        shell_(command);
    }
}

// --- boxes ------------------------------------------------------------------------

game::Answer WebWindow::messageBox(const Text& text, const Text& title, game::Buttons buttons, game::Icon icon)
{
    const bool yesNo = buttons == game::Buttons::YesNo;
    const int pressed = tavrin_js_message_box(shown(text).c_str(), shown(title).c_str(), yesNo ? 1 : 0,
                                              static_cast<int>(icon));
    if (!yesNo) {
        return game::Answer::Ok;
    }
    return pressed == 1 ? game::Answer::Yes : game::Answer::No;
}

std::optional<std::string> WebWindow::inputBox(const Text& prompt, const Text& title,
                                               const std::string& defaultText)
{
    const std::unique_ptr<char, FreeString> answer(
        tavrin_js_input_box(shown(prompt).c_str(), shown(title).c_str(), defaultText.c_str()));
    if (!answer) {
        return std::nullopt;
    }
    return std::string(answer.get());
}

// --- labels -------------------------------------------------------------------------

void WebWindow::setScoreLabel(game::ScoreLabel label, const std::string& text)
{
    scoreLabels_[at(label)] = text;
    sendText(TextSlot::ScoreLabel, static_cast<int>(label), Text(text));
}

void WebWindow::setScoreFrameCaption(game::ScoreLabel label, const Text& caption)
{
    frameCaptions_[at(label)] = caption;
    sendText(TextSlot::FrameCaption, static_cast<int>(label), caption);
}

void WebWindow::setScoreFrameVisible(game::ScoreLabel label, bool visible)
{
    frameVisible_[at(label)] = visible;
    sendFlag(FlagSlot::FrameVisible, static_cast<int>(label), visible ? 1 : 0);
}

void WebWindow::setTrash(int count)
{
    trash_ = count;
    sendFlag(FlagSlot::Trash, 0, count);
}

void WebWindow::setLoopLengthText(const Text& text)
{
    loopLength_ = text;
    sendText(TextSlot::LoopLength, 0, text);
}

void WebWindow::setCommentText(const Text& text)
{
    comment_ = text;
    sendText(TextSlot::Comment, 0, text);
}

void WebWindow::setCommentVisible(bool visible)
{
    commentVisible_ = visible;
    sendFlag(FlagSlot::CommentVisible, 0, visible ? 1 : 0);
}

// --- the puzzle-number spinner ----------------------------------------------------

void WebWindow::setSpinnerRange(int, int maximum)
{
    spinnerMax_ = maximum;
    sendFlag(FlagSlot::SpinnerValue, spinnerMax_, spinner_);
}

void WebWindow::setSpinnerValue(int value)
{
    spinner_ = value;
    sendFlag(FlagSlot::SpinnerValue, spinnerMax_, spinner_);
}

void WebWindow::setSpinnerEnabled(bool enabled)
{
    spinnerEnabled_ = enabled;
    sendFlag(FlagSlot::SpinnerEnabled, 0, enabled ? 1 : 0);
}

void WebWindow::setSpinnerVisible(bool visible)
{
    spinnerVisible_ = visible;
    sendFlag(FlagSlot::SpinnerVisible, 0, visible ? 1 : 0);
}

void WebWindow::setSpinnerLabel(const std::string& text)
{
    spinnerLabel_ = text;
    sendText(TextSlot::SpinnerLabel, 0, Text(text));
}

// --- commands ---------------------------------------------------------------------

void WebWindow::setCommandEnabled(Command command, bool enabled)
{
    commands_[at(command)].enabled = enabled;
    sendCommand(command);
}

void WebWindow::setCommandChecked(Command command, bool checked)
{
    commands_[at(command)].checked = checked;
    sendCommand(command);
}

void WebWindow::setCommandCaption(Command command, const Text& caption)
{
    commands_[at(command)].caption = caption;
    sendCommand(command);
}

void WebWindow::setCommandToolTip(Command command, const Text& toolTip)
{
    commands_[at(command)].toolTip = toolTip;
    sendCommand(command);
}

void WebWindow::setCommandVisible(Command command, bool visible)
{
    commands_[at(command)].visible = visible;
    sendCommand(command);
}

void WebWindow::setMenuEnabled(game::Menu menu, bool enabled)
{
    menus_[at(menu)] = enabled;
    sendFlag(FlagSlot::MenuEnabled, static_cast<int>(menu), enabled ? 1 : 0);
}

// --- panels -----------------------------------------------------------------------

void WebWindow::setPanelVisible(game::Panel panel, bool visible)
{
    panels_[at(panel)] = visible;
    sendFlag(FlagSlot::PanelVisible, static_cast<int>(panel), visible ? 1 : 0);
}

bool WebWindow::panelVisible(game::Panel panel) const
{
    return panels_[at(panel)];
}

// --- timers -----------------------------------------------------------------------

void WebWindow::startTimer(game::Timer timer, int intervalMs)
{
    timers_[at(timer)] = true;
    tavrin_js_timer(static_cast<int>(timer), intervalMs < 0 ? 0 : intervalMs);
}

void WebWindow::stopTimer(game::Timer timer)
{
    timers_[at(timer)] = false;
    tavrin_js_timer(static_cast<int>(timer), -1);
}

bool WebWindow::timerRunning(game::Timer timer) const
{
    return timers_[at(timer)];
}

// --- drawing ----------------------------------------------------------------------

void WebWindow::redrawAll()
{
    painter_.redrawAll(offeredPiece_ ? offeredPiece_() : -1, panelVisible(game::Panel::Palette));
}

void WebWindow::setHintCell(int cell)
{
    hintCell_ = cell;
    sendFlag(FlagSlot::HintCell, 0, cell);
}

// --- media ------------------------------------------------------------------------

void WebWindow::mediaOpen(game::Device device, game::DeviceType type, const std::string& file)
{
    tavrin_js_media(static_cast<int>(device), kOpen, type == game::DeviceType::Sequencer ? 1 : 0, 0, file.c_str());
}

void WebWindow::mediaClose(game::Device device)
{
    tavrin_js_media(static_cast<int>(device), kClose, 0, 0, "");
}

void WebWindow::mediaPlay(game::Device device, long from, long to)
{
    tavrin_js_media(static_cast<int>(device), kPlay, static_cast<int>(from), static_cast<int>(to), "");
}

void WebWindow::mediaSound(game::Device device)
{
    tavrin_js_media(static_cast<int>(device), kSound, 0, 0, "");
}

void WebWindow::mediaStop(game::Device device)
{
    tavrin_js_media(static_cast<int>(device), kStop, 0, 0, "");
}

void WebWindow::mediaSeek(game::Device device, long position)
{
    tavrin_js_media(static_cast<int>(device), kSeek, static_cast<int>(position), 0, "");
}

long WebWindow::mediaLength(game::Device device) const
{
    return tavrin_js_media_query(static_cast<int>(device), kLength);
}

long WebWindow::mediaPosition(game::Device device) const
{
    return tavrin_js_media_query(static_cast<int>(device), kPosition);
}

game::DeviceMode WebWindow::mediaMode(game::Device device) const
{
    return static_cast<game::DeviceMode>(tavrin_js_media_query(static_cast<int>(device), kMode));
}

bool WebWindow::mediaCanPlay(game::Device device) const
{
    return tavrin_js_media_query(static_cast<int>(device), kCanPlay) != 0;
}

} // namespace tavrin::web
