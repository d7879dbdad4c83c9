// What the picture and theme operations need from the window around them:
// message boxes, redraws, the game's state and the status bar. Texts go to
// the window as Texts: ours are shown in the player's language, file names
// and goal texts as they are.
#pragma once

#include "engine/ui_text.h"

namespace tavrin::graphics {

enum class MessageIcon { None, Information, Warning };

class GraphicsHost {
public:
    virtual ~GraphicsHost() = default;

    // Message box with an OK button and the program's default title.
    virtual void showMessage(const Text& text, MessageIcon icon) = 0;
    // Yes/No question with the question icon; true on Yes.
    virtual bool askYesNo(const Text& text) = 0;
    // Message titled with the product name, with OK and Help buttons; Help
    // opens help topic `helpTopic` (the topic on loading pictures).
    virtual void showMessageWithHelp(const Text& text, int helpTopic) = 0;

    // Full redraw (panel, board, palette) and board-only redraw.
    virtual void redrawAll() = 0;
    virtual void redrawBoard() = 0;

    virtual bool freeGameActive() const = 0;
    virtual bool editMode() const = 0;
    virtual bool puzzleSeries() const = 0;
    // True while the main window is still being built at start-up.
    virtual bool startingUp() const = 0;
    // Ends the current game (EndGame), which puts its own hint in the status bar.
    virtual void endGame() = 0;

    // Progress and goal texts for the status bar.
    virtual void setStatusText(const Text& text) = 0;
    // Game-menu item "ｴｺ・ﾃｰﾏの初期化(&T)".
    virtual void setThemeResetEnabled(bool enabled) = 0;
    // Lets the window handle pending events between the sections of a theme.
    virtual void processEvents() {}
    // True from the start to the end of a theme load or save: the window
    // shows the busy pointer and refuses its commands meanwhile.
    virtual void setBusy(bool busy) { (void)busy; }
    // Makes the main window visible before a theme is loaded.
    virtual void showMainWindow() {}
};

} // namespace tavrin::graphics
