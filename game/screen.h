// What is on screen: every text, frame, command state, panel and mark of the
// main window, written by the game and only drawn by the windows. Nothing is
// ever read back from a window. Beside the state the model collects what
// changed since it was last shown, and the tiles to draw, in order.
#pragma once

#include "engine/board.h"
#include "engine/ui_text.h"
#include "game/command.h"

#include <array>
#include <bitset>
#include <string>
#include <vector>

namespace tavrin::game {

// Palette entries 0..10 are the pieces, 11 the eraser.
inline constexpr int kPaletteSize = kEraser + 1;

// The four score frames. In the free game they show eco points, the moves
// left (the total at the end), loop points and the chain.
enum class ScoreFrame { Eco, MovesLeft, Loop, Chain };
inline constexpr int kFrameCount = 4;

// Parts shown or hidden as a whole.
enum class Panel {
    FreeGame,      // the offered piece and the trash
    Palette,       // the piece palette, the puzzle-number spinner, the editor options
    BoardToolbar,  // the board-editing toolbar
    EditorOptions, // the palette options "ランダム" and "通常"
};
inline constexpr int kPanelCount = 4;

// The editor's palette options.
enum class EditorOption { Random = 0 /*"ランダム"*/, Normal = 1 /*"通常"*/ };

// Where a tile is drawn.
enum class TileTarget {
    BoardCell,    // index 0..63
    OfferedPiece, // index ignored
    PaletteEntry, // index 0..10
};

// One tile to compose. `step` 0..2 is a dissolve frame from `oldPiece` to
// `piece` (board cells only); 3 or more is the final picture. `plainLook`:
// always the plain rows of the sheet (disabled palette entries); otherwise
// board cells use the lit rows when green and every other target the lit rows.
struct TileDraw {
    TileTarget target = TileTarget::BoardCell;
    int index = 0;
    int piece = -1;
    int oldPiece = -1;
    int step = 3;
    bool withItem = false;
    bool plainLook = false;
    bool operator==(const TileDraw&) const = default;
};

// A drawing request, in the order the game made it. The pictures themselves
// are composed from the shared game state when the window shows the changes.
struct Drawing {
    enum class Kind {
        Tile,       // `tile`
        Everything, // the offered piece `offeredPiece`, all 64 cells and, with `palette`, its piece entries
        Board,      // all 64 cells
        EmptyPanel, // the offered-piece panel empty
    };
    Kind kind = Kind::Tile;
    TileDraw tile;
    int offeredPiece = -1;
    bool palette = false;
    bool operator==(const Drawing&) const = default;
};

struct CommandView {
    bool enabled = true;
    bool checked = false;
    bool visible = true;
    Text caption; // menu caption
    Text toolTip; // toolbar button
    int image = -1; // the toolbar picture, -1 for the command's own
    bool operator==(const CommandView&) const = default;
};

struct FrameView {
    Text caption;
    std::string value;
    bool visible = true;
    bool operator==(const FrameView&) const = default;
};

struct PaletteView {
    bool selected = false; // drawn with the selection border
    bool enabled = true;
    bool visible = true;
    bool operator==(const PaletteView&) const = default;
};

struct CommentView {
    // Data (a puzzle's comment), or marked when the game wrote it.
    Text text;
    bool visible = false;
    bool readOnly = false;
};

// The puzzle-number spinner and its label. Values are 0-based; windows show
// them 1-based.
struct SpinnerView {
    int maximum = 0;
    int value = 0;
    bool enabled = true;
    bool visible = true;
    std::string label;
};

// The keyboard's cell cursor: where it is and whether it is drawn.
struct CursorView {
    int cell = 0;
    bool shown = false;
};

struct Screen {
    Screen();

    Text status;
    Text caption;
    std::array<CommandView, kCommandCount> commands;
    std::array<bool, kMenuCount> menus{true, false, true, true};
    std::array<FrameView, kFrameCount> frames;
    int trash = 0; // discards in the window of the last ten deals; 0 shows the empty trash
    Text loopLength;
    CommentView comment;
    SpinnerView spinner;
    std::array<bool, kPanelCount> panels{true, false, false, false};
    bool boardToolbarEnabled = true;
    std::array<PaletteView, kPaletteSize> palette;
    EditorOption editorOption = EditorOption::Normal;
    int hintCell = -1; // the cell the hint marks, -1 for none
    CursorView cursor;
    bool busy = false; // a long operation shows the busy pointer

    const CommandView& command(Command c) const { return commands[static_cast<std::size_t>(c)]; }
    const FrameView& frame(ScoreFrame f) const { return frames[static_cast<std::size_t>(f)]; }
    bool panel(Panel p) const { return panels[static_cast<std::size_t>(p)]; }
    // A command is offered when it is enabled, visible and its menu is enabled.
    bool offered(Command c) const;
};

// The parts of the screen a change set can name.
enum class Part {
    Status, Caption, Commands, Menus, Frames, Trash, LoopLength, Comment, Spinner,
    Panels, BoardToolbar, Palette, EditorOption, Hint, Cursor, Busy,
};
inline constexpr int kPartCount = static_cast<int>(Part::Busy) + 1;

struct ScreenChanges {
    std::bitset<kPartCount> parts;
    std::bitset<kCommandCount> commands; // which commands, when Part::Commands is set
    std::vector<Drawing> drawings;

    bool has(Part part) const { return parts.test(static_cast<std::size_t>(part)); }
    bool has(Command c) const { return commands.test(static_cast<std::size_t>(c)); }
    bool empty() const { return parts.none() && drawings.empty(); }
    // Every part and command, no drawing: what a window shows after a change
    // of language, or when it starts.
    static ScreenChanges everything();
};

// The screen and its changes. Every setter marks its part changed when the
// value differs.
class ScreenModel {
public:
    const Screen& screen() const { return screen_; }
    const ScreenChanges& changes() const { return changes_; }
    bool changed() const { return !changes_.empty(); }
    // The changes so far; the model starts a new change set.
    ScreenChanges takeChanges();
    // Marks every part changed (the drawings stay as they are).
    void markAll();

    void setStatus(const Text& text);
    void setCaption(const Text& caption);

    void setCommandEnabled(Command c, bool enabled);
    void setCommandChecked(Command c, bool checked);
    void setCommandVisible(Command c, bool visible);
    void setCommandCaption(Command c, const Text& caption);
    void setCommandToolTip(Command c, const Text& toolTip);
    void setCommandImage(Command c, int image);
    void setMenuEnabled(Menu menu, bool enabled);

    void setFrameValue(ScoreFrame f, const std::string& value);
    void setFrameCaption(ScoreFrame f, const Text& caption);
    void setFrameVisible(ScoreFrame f, bool visible);
    void setTrash(int count);
    void setLoopLength(const Text& text);

    void setComment(const Text& text);
    void setCommentVisible(bool visible);
    void setCommentReadOnly(bool readOnly);

    void setSpinnerMaximum(int maximum);
    void setSpinnerValue(int value);
    void setSpinnerEnabled(bool enabled);
    void setSpinnerVisible(bool visible);
    void setSpinnerLabel(const std::string& label);

    void setPanelVisible(Panel panel, bool visible);
    void setBoardToolbarEnabled(bool enabled);
    void setPaletteSelected(int entry, bool selected);
    void setPaletteEnabled(int entry, bool enabled);
    void setPaletteVisible(int entry, bool visible);
    void setEditorOption(EditorOption option);
    void setHintCell(int cell);
    void setCursor(int cell, bool shown);
    void setBusy(bool busy);

    void drawTile(const TileDraw& tile);
    void redrawAll(int offeredPiece);
    void redrawBoard();
    void clearOfferedPiece();

private:
    template <typename T> void set(T& field, const T& value, Part part);
    void setCommand(Command c, auto CommandView::*field, const auto& value);
    CommandView& command(Command c) { return screen_.commands[static_cast<std::size_t>(c)]; }

    Screen screen_;
    ScreenChanges changes_;
};

} // namespace tavrin::game
