// The desktop window as the game's front end: it draws the screen model on
// the MainWindow's widgets, shows the boxes, plays the sounds, wakes the game
// and hands every input of the widgets to the session.
#pragma once

#include "app/main_window.h"
#include "app/media_bank.h"
#include "game/front_end.h"
#include "graphics/renderer.h"

#include <QImage>
#include <QTimer>

#include <array>
#include <functional>

namespace tavrin::game {
class Session;
}

namespace tavrin::app {

class QtWindow : public game::FrontEnd {
public:
    // `form` and `renderer` must outlive this object; `soundFolder` holds the
    // wave and MIDI files.
    QtWindow(MainWindow& form, graphics::Renderer& renderer, const QString& soundFolder);
    ~QtWindow() override;

    // Where input goes; nothing is reported before a session is attached.
    void attach(game::Session* session) { session_ = session; }
    // Runs the platform's actions (dialogs, files, help, the end of the program).
    void setActionHandler(std::function<void(game::Action)> handler) { actions_ = std::move(handler); }

    MainWindow& form() { return form_; }
    MediaBank& media() { return media_; }
    // The one timer that wakes the game.
    QTimer& wakeTimer() { return wake_; }

    // game::FrontEnd
    void show(const game::Screen& screen, const game::ScreenChanges& changes) override;
    void wakeIn(game::Millis delayMs) override;
    void showBox(const game::Box& box) override;
    void playSound(game::Sound sound) override { media_.playSound(sound); }
    void playMusic(game::Music piece) override { media_.playMusic(piece); }
    void stopMusic(game::Music piece) override { media_.stopMusic(piece); }
    void repeatMusic(game::Music piece, bool repeat) override { media_.repeatMusic(piece, repeat); }
    void act(game::Action action) override;

private:
    void connectForm();
    void showCommands(const game::Screen& screen, const game::ScreenChanges& changes);
    void showFrames(const game::Screen& screen);
    void showComment(const game::Screen& screen);
    void showSpinner(const game::Screen& screen);
    void showPanels(const game::Screen& screen);
    void showPalette(const game::Screen& screen);
    void showBusy(bool busy);
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
    QTimer wake_;
    game::Session* session_ = nullptr;
    std::function<void(game::Action)> actions_;
    bool busy_ = false;
    // Set while the window shows what the model says: the widgets' own
    // signals are not input then.
    bool showing_ = false;
};

} // namespace tavrin::app
