// The one interface through which the game flow and the editor talk to the
// main window. The Qt window implements it; tests use a scripted fake.
//
// Rules shared by every method:
// - All calls happen on the window's thread. No method calls back into the
//   game synchronously (setting the spinner's value, for instance, does not run
//   the navigation handler; the caller does what the change implies).
// - Texts are UTF-8. A Text marked as ours (engine/ui_text.h) is shown in the
//   player's language; data (comments, names, paths) exactly as given,
//   half-width katakana included. The window keeps the Text itself, so that a
//   change of language shows what is on screen in the new language at once.
// - The window reads what it draws (board, green stamps, items, offered piece,
//   maxMovesUsed) from the GameState the controller exposes; the draw requests
//   below only say what to draw where and how.
#pragma once

#include "engine/ui_text.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavrin::game {

// One identity per menu item and toolbar button pair. Enabling or checking a
// command always sets both its menu item and its button (when it has both).
// Names follow the menu (games / edits / opt / helps) and toolbar indices.
enum class Command {
    // Game menu "ｹﾞｰﾑ(&G)"
    NewGame,         // games(0) "新規ゲーム(&N)" F2; Toolbar1 button 1
    Open,            // games(1) "開く(&O)..."; button 2
    GameSeparator,   // games(2) "-": only its visibility changes
    Save,            // games(3) "上書き保存(&S)"; button 7 "問題の上書き保存"
    SaveAs,          // games(4) "名前を付けて保存(&A)"
    HighScores,      // games(6) "ﾊｲｽｺｱ(&H)"; button 17 "ハイスコア"
    ClearHighScores, // games(7) "ﾊｲｽｺｱのｸﾘｱ(&C)"
    ResetTheme,      // games(8) "ｴｺ・ﾃｰﾏの初期化(&T)"
    Exit,            // games(10) "終了(&X)" / "閉じる(&C)" / "中断(&P)"
    // Edit menu "編集(&E)"
    Undo,   // edits(0) "元に戻す(&U)"; button 8
    Cut,    // edits(2) "切り取り(&T)"; button 3
    Copy,   // edits(3) "コピー(&C)"; button 4
    Paste,  // edits(4) "貼り付け(&P)"; button 5
    Delete, // edits(5) "削除(&D)"; button 6 "問題の削除"
    // Options menu "ｵﾌﾟｼｮﾝ(&O)"
    SoundOn,        // opt(0) "音あり(&E)"
    SoundOff,       // opt(1) "音なし(&S)"
    EcoMode,        // opt(3) "エコモード(&O)"; button 10
    FullConnection, // opt(4) "全結合モード(&C)"; button 11
    BigLoop,        // opt(5) "大ループモード(&L)"; button 12
    EditMode,       // opt(7) "編集モード(&E)"; button 14
    PlayMode,       // opt(8) "プレーモード(&P)"; button 15
    CreateTheme,    // opt(10) "エコ・テーマの作成(&M)..."
    DefaultTheme,   // opt(11) "デフォルトのエコ・テーマに戻す(&D)"
    // Help menu "ﾍﾙﾌﾟ(&H)"
    HelpTopics, // helps(0) "ﾄﾋﾟｯｸの検索(&H)" F1; button 18 "ヘルプ"
    About,      // helps(2) "ﾊﾞｰｼﾞｮﾝ情報(&A)"
    // Board-editing toolbar Toolbar2 (buttons only)
    MirrorTopBottom, // button 2 "上下反転"
    MirrorLeftRight, // button 3 "左右反転"
    TurnLeft,        // button 5 "左90度回転"
    TurnRight,       // button 6 "右90度回転"
    ShiftLeft,       // button 8 "左にシフト"
    ShiftUp,         // button 9 "上にシフト"
    ShiftDown,       // button 10 "下にシフト"
    ShiftRight,      // button 11 "右にシフト"
    // Added to the Game menu, before the exit item, and to the main toolbar
    // after its last button.
    Hint, // "ヒント(&I)" F3; Toolbar1 button 20 "ヒント"
    // Added to the Game menu, before the exit item: series the game makes.
    FreshSeries, // "おまかせ問題(&R)": 10 new puzzles of rising grade
    DailySeries, // "今日の問題(&D)": the 10 puzzles of today's date
    // Added to the Options menu: where the registration pages post to.
    ScoreServer, // "ハイスコア登録先(&R)..."
};
inline constexpr int kCommandCount = static_cast<int>(Command::ScoreServer) + 1;

// Whole menus whose enabled state is set at once.
enum class Menu { Game, Edit, Options, Help };

// Message boxes.
enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Question, Warning, Critical };
enum class Answer { Ok, Yes, No };

// The four score labels and the frames around them (frame captions:
// "エコ点", "残り手数" / "総合得点", "ループ点", "連続得点").
enum class ScoreLabel { Eco /*ecoPoints*/, MovesLeft /*movesLeft*/, Loop /*loopPoints*/, Chain /*chain*/ };

// Panels shown or hidden as a whole.
enum class Panel {
    FreeGame,      // Frame6(0): offered piece and trash
    Palette,       // Frame6(1): piece palette, spinner and its label, editor options
    BoardToolbar,  // Toolbar2
    EditorOptions, // Option1(0) "ランダム" and Option1(1) "通常"
};

// The editor's palette option buttons.
enum class EditorOption { Random = 0 /*"ランダム"*/, Normal = 1 /*"通常"*/ };

// The four window timers. A running timer ticks every `intervalMs` until it is
// stopped; each tick calls GameController::timerTick(timer).
enum class Timer {
    Evaluation,   // Timer5, 50 ms: placement sequence and turn evaluation
    AfterDiscard, // Timer3, 400 ms: finishes a discard
    StartUp,      // Timer1, 300 ms: start-up, and the next puzzle after a clear
    MusicLoop,    // Timer2: restarts the music at its end (interval chosen by the game)
};
inline constexpr int kEvaluationIntervalMs = 50;
inline constexpr int kAfterDiscardIntervalMs = 400;
inline constexpr int kStartUpIntervalMs = 300;

// Where a tile is drawn.
enum class TileTarget {
    BoardCell,    // Picture2(index), index 0..63
    OfferedPiece, // Picture1, index ignored
    PaletteEntry, // Picture11(index), index 0..10
};

// One tile to compose. `step` 0..2 is a dissolve frame from `oldPiece` to
// `piece` (board cells only); 3 or more is the final picture. `present`: show
// the target at once (otherwise it is shown with the next batch or repaint).
// `plainLook`: always use the plain rows of the sheet (disabled palette
// entries); otherwise board cells use the lit rows when green and every other
// target the lit rows.
struct TileDraw {
    TileTarget target = TileTarget::BoardCell;
    int index = 0;
    int piece = -1;
    int oldPiece = -1;
    int step = 3;
    bool withItem = false;
    bool present = false;
    bool plainLook = false;
    bool operator==(const TileDraw&) const = default;
};

// The five media devices.
enum class Device : int { Click = 0, Trash = 1, FreeMusic = 2, SeriesMusic = 3, Jingle = 4 };
inline constexpr int kDeviceCount = 5;
enum class DeviceType { WaveAudio, Sequencer };
enum class DeviceMode { Stopped, Playing, NotOpen };

class Window {
public:
    virtual ~Window() = default;

    // --- status bar, caption, program end -------------------------------
    virtual void setStatusText(const Text& text) = 0;
    virtual Text statusText() const = 0;
    virtual void setWindowCaption(const Text& caption) = 0;
    virtual Text windowCaption() const = 0;
    // Ends the program at once (no questions, nothing saved).
    virtual void quitProgram() = 0;
    // True while a long operation shows the busy mouse pointer.
    virtual bool pointerBusy() const = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // Runs a command that belongs to the window's own dialogs once the command
    // guard let it through: Open, Save, SaveAs, HighScores, ClearHighScores,
    // ResetTheme, CreateTheme, DefaultTheme, HelpTopics, About.
    virtual void shellCommand(Command command) = 0;

    // --- modal boxes ------------------------------------------------------
    // `title` empty means the program's default title. Returns the button
    // pressed (Ok for an Ok box).
    virtual Answer messageBox(const Text& text, const Text& title, Buttons buttons, Icon icon) = 0;
    // Input box with a prompt, title and default answer. No value when cancelled.
    virtual std::optional<std::string> inputBox(const Text& prompt, const Text& title,
                                                const std::string& defaultText) = 0;

    // --- score labels and other labels -----------------------------------
    virtual void setScoreLabel(ScoreLabel label, const std::string& text) = 0;
    virtual void setScoreFrameCaption(ScoreLabel label, const Text& caption) = 0;
    virtual void setScoreFrameVisible(ScoreLabel label, bool visible) = 0;
    // The trash: full image and the count when `count` > 0, else empty image and no label.
    virtual void setTrash(int count) = 0;
    // The loop-length label under the board ("最小ループ長：" + n).
    virtual void setLoopLengthText(const Text& text) = 0;

    // --- comment box Text1 ------------------------------------------------
    // Setting the text does not call back; the window reports typing through
    // GameController::commentEdited. The text is data (a puzzle's comment), or
    // marked when the game wrote it (generated series).
    virtual void setCommentText(const Text& text) = 0;
    virtual std::string commentText() const = 0;
    virtual void setCommentVisible(bool visible) = 0;
    virtual void setCommentReadOnly(bool readOnly) = 0;

    // --- puzzle-number spinner UpDown1 and its label Label1 ---------------
    // Setting the value or range does not call back; the window reports user
    // changes through GameController::spinnerChanged.
    virtual void setSpinnerRange(int minimum, int maximum) = 0;
    virtual int spinnerMaximum() const = 0;
    virtual void setSpinnerValue(int value) = 0;
    virtual int spinnerValue() const = 0;
    virtual void setSpinnerEnabled(bool enabled) = 0;
    // Shows or hides the spinner together with its label.
    virtual void setSpinnerVisible(bool visible) = 0;
    virtual void setSpinnerLabel(const std::string& text) = 0;

    // --- commands (menu item + toolbar button) ----------------------------
    virtual void setCommandEnabled(Command command, bool enabled) = 0;
    // Menu check mark and pressed toolbar button together.
    virtual void setCommandChecked(Command command, bool checked) = 0;
    // Menu item caption.
    virtual void setCommandCaption(Command command, const Text& caption) = 0;
    // Toolbar button tool tip.
    virtual void setCommandToolTip(Command command, const Text& toolTip) = 0;
    // Toolbar button image: index in the main toolbar's image list.
    virtual void setCommandImage(Command command, int image) = 0;
    virtual void setCommandVisible(Command command, bool visible) = 0;
    virtual void setMenuEnabled(Menu menu, bool enabled) = 0;

    // --- panels, palette, editor options ----------------------------------
    virtual void setPanelVisible(Panel panel, bool visible) = 0;
    virtual bool panelVisible(Panel panel) const = 0;
    // Toolbar2 as a whole.
    virtual void setBoardToolbarEnabled(bool enabled) = 0;
    // Palette entry 0..11 (11 = eraser): selection border, enabled, visible.
    virtual void setPaletteBorder(int entry, bool border) = 0;
    virtual void setPaletteEnabled(int entry, bool enabled) = 0;
    virtual void setPaletteVisible(int entry, bool visible) = 0;
    virtual void setEditorOption(EditorOption option) = 0;
    virtual EditorOption editorOption() const = 0;

    // --- timers -----------------------------------------------------------
    // Starting a running timer restarts it with the new interval.
    virtual void startTimer(Timer timer, int intervalMs) = 0;
    virtual void stopTimer(Timer timer) = 0;
    virtual bool timerRunning(Timer timer) const = 0;

    // --- drawing ----------------------------------------------------------
    virtual void drawTile(const TileDraw& tile) = 0;
    // The offered-piece panel shows its empty background.
    virtual void clearOfferedPiece() = 0;
    // Offered piece, all 64 cells (composed off-screen, shown together) and,
    // when the palette panel is visible, palette entries 0..10 in the lit look.
    virtual void redrawAll() = 0;
    // The 64 cells alone.
    virtual void redrawBoard() = 0;
    // Marks `cell` (0..63) as the free game's hint, or removes the mark (-1).
    // The mark lies over the board picture; the tiles themselves are untouched.
    virtual void setHintCell(int cell) { (void)cell; }

    // --- media devices 0..4 -----------------------------------------------
    // `file` is a bare file name ("B.wav", "ecomode.mid", ...) in the program's
    // sound folder. Failures only make the device report that it cannot play.
    virtual void mediaOpen(Device device, DeviceType type, const std::string& file) = 0;
    virtual void mediaClose(Device device) = 0;
    // Plays from `from` to `to` (milliseconds; `to` < 0 = to the end), asynchronously.
    virtual void mediaPlay(Device device, long from, long to) = 0;
    // Plays a short sound from its start, asynchronously.
    virtual void mediaSound(Device device) = 0;
    virtual void mediaStop(Device device) = 0;
    virtual void mediaSeek(Device device, long position) = 0;
    virtual long mediaStart(Device device) const = 0;
    virtual long mediaLength(Device device) const = 0;
    virtual long mediaPosition(Device device) const = 0;
    virtual DeviceMode mediaMode(Device device) const = 0;
    virtual bool mediaCanPlay(Device device) const = 0;
    // Whether a music device that reaches its end goes on from its start by
    // itself, without a gap. A device that cannot ends as usual and the music
    // loop timer restarts it.
    virtual void mediaLoop(Device device, bool on) { (void)device, (void)on; }
};

} // namespace tavrin::game
