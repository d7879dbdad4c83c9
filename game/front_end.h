// What a window (the desktop's, the page's) does for the game. The window
// draws the screen model, shows boxes, plays sounds, wakes the game and does
// what only its platform can; everything it reports goes to the Session's
// input methods. It never holds state the game reads back.
#pragma once

#include "game/box.h"
#include "game/screen.h"
#include "game/timers.h"

#include <string_view>

namespace tavrin::game {

enum class Sound { Click, Trash, Jingle };
enum class Music { FreeGame, Series };
inline constexpr int kMusicCount = 2;

// The bare file names, in the program's sound folder: "B.wav", "trush.wav",
// "jan.wav"; "ecomode.mid", "mondai.mid".
std::string_view soundFile(Sound sound);
std::string_view musicFile(Music piece);

// What only the platform can do. Results come back as input: a chosen puzzle
// file through Session::openPuzzleFile or openPuzzleBytes, a save name
// through Session::saveCollectionAs.
enum class Action {
    ChooseFile,       // the Open command: the kind of file, then the file
    ChoosePuzzleFile, // a puzzle file to play (or edit in the editor)
    AskSaveName,  // a name to save the edited collection under
    ResetTheme,   // "ｴｺ・ﾃｰﾏの初期化(&T)"
    DefaultTheme, // "デフォルトのエコ・テーマに戻す(&D)"
    CreateTheme,  // "エコ・テーマの作成(&M)..."
    Help,
    About,
    ChooseScoreServer, // "ハイスコア登録先(&R)..."
    Quit,              // the program ends the way the close box ends it
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // What changed on screen since the last call; everything after a change
    // of language. The drawings are composed from the shared game state.
    virtual void show(const Screen& screen, const ScreenChanges& changes) = 0;
    // Call Session::tick after `delayMs` milliseconds (a new request replaces
    // the last one); a negative delay: no tick is needed.
    virtual void wakeIn(Millis delayMs) = 0;
    // A modal box; its answer goes to Session::answer(box.id, ...). While it
    // is open the game takes no other input.
    virtual void showBox(const Box& box) = 0;

    virtual void playSound(Sound sound) = 0;
    // From the piece's start, repeating without a gap while it is marked so.
    virtual void playMusic(Music piece) = 0;
    virtual void stopMusic(Music piece) = 0;
    // Whether a playing piece goes on from its start when it ends.
    virtual void repeatMusic(Music piece, bool repeat) = 0;

    virtual void act(Action action) = 0;
};

} // namespace tavrin::game
