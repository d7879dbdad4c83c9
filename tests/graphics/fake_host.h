// A scripted stand-in for the window around the pictures and themes.
#pragma once

#include "graphics/graphics_host.h"
#include "graphics/screen_text.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

namespace tavrin::graphics::test {

class FakeHost : public GraphicsHost {
public:
    struct Message {
        QString text;
        MessageIcon icon;
    };

    std::vector<Message> messages;
    QStringList questions;
    std::deque<bool> answers; // next answers to questions; No when empty
    std::vector<std::pair<QString, int>> helpMessages;
    QStringList statusTexts;
    std::vector<bool> themeResetStates;
    int redrawAllCount = 0;
    int redrawBoardCount = 0;
    int endGameCount = 0;
    int processEventsCount = 0;
    bool shown = false;

    bool freeGame = false;
    bool editor = false;
    bool series = false;
    bool starting = false;

    // Texts are recorded as shown (the program's Japanese unless a test
    // installs a translation).
    void showMessage(const Text& text, MessageIcon icon) override { messages.push_back({screenText(text), icon}); }
    bool askYesNo(const Text& text) override
    {
        questions.append(screenText(text));
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showMessageWithHelp(const Text& text, int helpTopic) override
    {
        helpMessages.emplace_back(screenText(text), helpTopic);
    }
    void redrawAll() override { ++redrawAllCount; }
    void redrawBoard() override { ++redrawBoardCount; }
    bool freeGameActive() const override { return freeGame; }
    bool editMode() const override { return editor; }
    bool puzzleSeries() const override { return series; }
    bool startingUp() const override { return starting; }
    void endGame() override
    {
        ++endGameCount;
        freeGame = false;
        statusTexts.append(QStringLiteral("<end game hint>"));
    }
    void setStatusText(const Text& text) override { statusTexts.append(screenText(text)); }
    void setThemeResetEnabled(bool enabled) override { themeResetStates.push_back(enabled); }
    void processEvents() override { ++processEventsCount; }
    void showMainWindow() override { shown = true; }
};

} // namespace tavrin::graphics::test
