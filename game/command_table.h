// Captions, shortcuts, tool tips and initial states of every menu item and
// toolbar button, one entry per command.
#pragma once

#include "engine/ui_text.h"
#include "game/command.h"

#include <array>
#include <string_view>
#include <vector>

namespace tavrin::game {

enum class Toolbar { None, Main, Board };

// No caption or no tool tip.
inline constexpr Phrase kNoText{"", ""};
constexpr bool isEmpty(const Phrase& text) { return text.source[0] == '\0'; }

struct CommandInfo {
    Command command;
    Menu menu;
    bool inMenu;                // false: a board-toolbar button, also in the Edit menu's "盤の変形(&B)" submenu
    Phrase caption;             // menu caption (of the submenu item for board-toolbar buttons)
    std::string_view shortcut;  // "F1", "F2", "F3" or ""
    Toolbar toolbar;
    int button;                 // 1-based index in its toolbar, 0 when none
    Phrase toolTip;
    bool enabled;               // at start-up
    bool checkable;
    bool checked;               // at start-up
    bool separatorBefore;       // a "-" item precedes it in its menu
};

const std::array<CommandInfo, kCommandCount>& commandTable();
const CommandInfo& commandInfo(Command command);

// The commands of one menu in the order both windows show them: the table's
// order, with the daily game beside the new game and the exit item last.
std::vector<Command> menuItems(Menu menu);

// The menu captions: "ｹﾞｰﾑ(&G)", "編集(&E)", "ｵﾌﾟｼｮﾝ(&O)", "ﾍﾙﾌﾟ(&H)".
Phrase menuCaption(Menu menu);

// Toolbar positions that hold a separator.
inline constexpr std::array<int, 4> kMainToolbarSeparators{9, 13, 16, 19};
inline constexpr std::array<int, 3> kBoardToolbarSeparators{1, 4, 7};

} // namespace tavrin::game
