// A scripted stand-in for the main window: it keeps the state the game set,
// records every box, draw and sound, and answers boxes from a script queue.
#pragma once

#include "game/window.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrin::game::testing {

struct ShownBox {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer answer = Answer::Ok;
};

struct AskedInput {
    Text promptShown;
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<std::string> answer;
};

struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool visible = true;
    std::string caption;
    std::string toolTip;
    int image = -1;
};

// One media call, for checking what played when.
struct MediaCall {
    Device device;
    std::string op; // "open", "close", "play", "sound", "stop", "seek"
    std::string file;
    long a = 0;
    long b = 0;
    bool operator==(const MediaCall&) const = default;
};

struct FakeDevice {
    bool open = false;
    bool canPlay = false;
    DeviceMode mode = DeviceMode::NotOpen;
    long start = 0;
    long length = 0;
    long position = 0;
    bool looping = false; // repeats by itself at its end
    std::string file;
};

class FakeWindow : public Window {
public:
    // --- script ---------------------------------------------------------------
    // Answers for Yes/No boxes, in order. An Ok box takes no answer. A Yes/No box
    // with an empty queue is a test failure (thrown).
    std::deque<Answer> answers;
    // Answers for input boxes, in order (no value = cancelled). An empty queue
    // answers as cancelled.
    std::deque<std::optional<std::string>> inputs;
    // Files the media devices can play once opened (by bare name) and their length.
    // Runs as each message or input box opens, before it is answered.
    std::function<void()> beforeBox;
    std::map<std::string, long> playableFiles{{"B.wav", 300}, {"trush.wav", 400}, {"jan.wav", 900},
                                              {"ecomode.mid", 60000}, {"mondai.mid", 45000}};

    // --- recorded -------------------------------------------------------------
    std::vector<ShownBox> boxes;
    std::vector<AskedInput> asked;
    std::vector<std::string> statusHistory;
    std::vector<TileDraw> tiles;
    std::vector<MediaCall> media;
    std::vector<Command> shellCommands;
    int redrawAllCount = 0;
    int redrawBoardCount = 0;
    int clearOfferedCount = 0;
    bool quit = false;
    bool busy = false;
    std::string clipboard;

    std::string status;
    Text statusShown;
    std::string caption = "Tavrin for Windows";
    Text captionShown = caption;
    std::array<std::string, 4> labels{"0", "100", "0", ""};
    std::array<std::string, 4> frameCaptions{"エコ点", "残り手数", "ループ点", "連続得点"};
    std::array<bool, 4> frameVisible{true, true, true, true};
    int trash = 0;
    std::string loopLengthText;

    std::string comment;
    Text commentShown;
    bool commentVisible = false;
    bool commentReadOnly = false;

    int spinnerMin = 0;
    int spinnerMax = 0;
    int spinner = 0;
    bool spinnerEnabled = true;
    bool spinnerShown = true;
    std::string spinnerLabel;

    std::array<CommandState, kCommandCount> commands{};
    std::map<Menu, bool> menuEnabled{{Menu::Game, true}, {Menu::Edit, false}, {Menu::Options, true}, {Menu::Help, true}};
    std::map<Panel, bool> panels{{Panel::FreeGame, true}, {Panel::Palette, false}, {Panel::BoardToolbar, false},
                                 {Panel::EditorOptions, false}};
    bool boardToolbarEnabled = true;
    std::array<bool, 12> paletteBorder{true, false, false, false, false, false, false, false, false, false, false, false};
    std::array<bool, 12> paletteEnabled{true, true, true, true, true, true, true, true, true, true, true, true};
    std::array<bool, 12> paletteVisible{true, true, true, true, true, true, true, true, true, true, true, true};
    EditorOption option = EditorOption::Normal;

    std::map<Timer, int> running; // timer -> interval
    std::array<FakeDevice, kDeviceCount> devices{};

    // --- helpers for tests ----------------------------------------------------
    CommandState& command(Command c) { return commands[static_cast<std::size_t>(c)]; }
    const std::string& label(ScoreLabel l) const { return labels[static_cast<std::size_t>(l)]; }
    FakeDevice& device(Device d) { return devices[static_cast<std::size_t>(d)]; }
    bool isRunning(Timer t) const { return running.count(t) != 0; }
    int soundCount(Device d) const
    {
        int n = 0;
        for (const auto& m : media) {
            n += (m.device == d && (m.op == "sound" || m.op == "play")) ? 1 : 0;
        }
        return n;
    }
    void clearRecords()
    {
        boxes.clear();
        asked.clear();
        statusHistory.clear();
        tiles.clear();
        media.clear();
        shellCommands.clear();
        redrawAllCount = redrawBoardCount = clearOfferedCount = 0;
    }

    // --- Window ---------------------------------------------------------------
    // Texts are recorded as the Japanese the program shows by default; the
    // Text itself is kept where the game reads it back.
    void setStatusText(const Text& text) override
    {
        statusShown = text;
        status = text.japanese();
        statusHistory.push_back(status);
    }
    Text statusText() const override { return statusShown; }
    void setWindowCaption(const Text& text) override
    {
        captionShown = text;
        caption = text.japanese();
    }
    Text windowCaption() const override { return captionShown; }
    void quitProgram() override { quit = true; }
    bool pointerBusy() const override { return busy; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    void shellCommand(Command c) override { shellCommands.push_back(c); }

    Answer messageBox(const Text& text, const Text& title, Buttons buttons, Icon icon) override
    {
        if (beforeBox) {
            beforeBox();
        }
        Answer a = Answer::Ok;
        if (buttons == Buttons::YesNo) {
            if (answers.empty()) {
                throw std::logic_error("unexpected question: " + text.japanese());
            }
            a = answers.front();
            answers.pop_front();
        }
        boxes.push_back({text.japanese(), title.japanese(), buttons, icon, a});
        return a;
    }
    std::optional<std::string> inputBox(const Text& prompt, const Text& title,
                                        const std::string& defaultText) override
    {
        if (beforeBox) {
            beforeBox();
        }
        std::optional<std::string> a;
        if (!inputs.empty()) {
            a = inputs.front();
            inputs.pop_front();
        }
        asked.push_back({prompt, prompt.japanese(), title.japanese(), defaultText, a});
        return a;
    }

    void setScoreLabel(ScoreLabel l, const std::string& text) override { labels[static_cast<std::size_t>(l)] = text; }
    void setScoreFrameCaption(ScoreLabel l, const Text& text) override
    {
        frameCaptions[static_cast<std::size_t>(l)] = text.japanese();
    }
    void setScoreFrameVisible(ScoreLabel l, bool v) override { frameVisible[static_cast<std::size_t>(l)] = v; }
    void setTrash(int count) override { trash = count; }
    void setLoopLengthText(const Text& text) override { loopLengthText = text.japanese(); }

    void setCommentText(const Text& text) override
    {
        commentShown = text;
        comment = text.japanese();
    }
    std::string commentText() const override { return comment; }
    void setCommentVisible(bool v) override { commentVisible = v; }
    void setCommentReadOnly(bool r) override { commentReadOnly = r; }

    void setSpinnerRange(int minimum, int maximum) override
    {
        spinnerMin = minimum;
        spinnerMax = maximum;
    }
    int spinnerMaximum() const override { return spinnerMax; }
    void setSpinnerValue(int v) override { spinner = v; }
    int spinnerValue() const override { return spinner; }
    void setSpinnerEnabled(bool e) override { spinnerEnabled = e; }
    void setSpinnerVisible(bool v) override { spinnerShown = v; }
    void setSpinnerLabel(const std::string& text) override { spinnerLabel = text; }

    void setCommandEnabled(Command c, bool e) override { command(c).enabled = e; }
    void setCommandChecked(Command c, bool ch) override { command(c).checked = ch; }
    void setCommandCaption(Command c, const Text& text) override { command(c).caption = text.japanese(); }
    void setCommandToolTip(Command c, const Text& text) override { command(c).toolTip = text.japanese(); }
    void setCommandImage(Command c, int image) override { command(c).image = image; }
    void setCommandVisible(Command c, bool v) override { command(c).visible = v; }
    void setMenuEnabled(Menu m, bool e) override { menuEnabled[m] = e; }

    void setPanelVisible(Panel p, bool v) override { panels[p] = v; }
    bool panelVisible(Panel p) const override { return panels.at(p); }
    void setBoardToolbarEnabled(bool e) override { boardToolbarEnabled = e; }
    void setPaletteBorder(int entry, bool b) override { paletteBorder.at(static_cast<std::size_t>(entry)) = b; }
    void setPaletteEnabled(int entry, bool e) override { paletteEnabled.at(static_cast<std::size_t>(entry)) = e; }
    void setPaletteVisible(int entry, bool v) override { paletteVisible.at(static_cast<std::size_t>(entry)) = v; }
    void setEditorOption(EditorOption o) override { option = o; }
    EditorOption editorOption() const override { return option; }

    void startTimer(Timer t, int intervalMs) override { running[t] = intervalMs; }
    void stopTimer(Timer t) override { running.erase(t); }
    bool timerRunning(Timer t) const override { return running.count(t) != 0; }

    void drawTile(const TileDraw& tile) override { tiles.push_back(tile); }
    void clearOfferedPiece() override { ++clearOfferedCount; }
    void redrawAll() override { ++redrawAllCount; }
    void redrawBoard() override { ++redrawBoardCount; }

    void mediaOpen(Device d, DeviceType, const std::string& file) override
    {
        auto& dev = device(d);
        dev.open = true;
        dev.file = file;
        const auto it = playableFiles.find(file);
        dev.canPlay = it != playableFiles.end();
        dev.length = dev.canPlay ? it->second : 0;
        dev.position = 0;
        dev.mode = DeviceMode::Stopped;
        media.push_back({d, "open", file, 0, 0});
    }
    void mediaClose(Device d) override
    {
        auto& dev = device(d);
        dev = FakeDevice{};
        media.push_back({d, "close", "", 0, 0});
    }
    void mediaPlay(Device d, long from, long to) override
    {
        auto& dev = device(d);
        if (dev.canPlay) {
            dev.position = from;
            dev.mode = DeviceMode::Playing;
        }
        media.push_back({d, "play", dev.file, from, to});
    }
    void mediaSound(Device d) override { media.push_back({d, "sound", device(d).file, 0, 0}); }
    void mediaStop(Device d) override
    {
        auto& dev = device(d);
        if (dev.open) {
            dev.mode = DeviceMode::Stopped;
        }
        media.push_back({d, "stop", dev.file, 0, 0});
    }
    void mediaSeek(Device d, long position) override
    {
        auto& dev = device(d);
        dev.position = position;
        if (dev.open) {
            dev.mode = DeviceMode::Stopped;
        }
        media.push_back({d, "seek", dev.file, position, 0});
    }
    long mediaStart(Device d) const override { return devices[static_cast<std::size_t>(d)].start; }
    long mediaLength(Device d) const override { return devices[static_cast<std::size_t>(d)].length; }
    long mediaPosition(Device d) const override { return devices[static_cast<std::size_t>(d)].position; }
    DeviceMode mediaMode(Device d) const override { return devices[static_cast<std::size_t>(d)].mode; }
    bool mediaCanPlay(Device d) const override { return devices[static_cast<std::size_t>(d)].canPlay; }
    void mediaLoop(Device d, bool on) override { device(d).looping = on; }

    // Lets a playing piece run to its end (the media layer stopped at the end).
    void finishPlaying(Device d)
    {
        auto& dev = device(d);
        dev.position = dev.length;
        dev.mode = DeviceMode::Stopped;
    }
};

} // namespace tavrin::game::testing
