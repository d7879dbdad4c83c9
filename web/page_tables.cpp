#include "web/page_tables.h"

#include "game/command_table.h"
#include "game/front_end.h"
#include "graphics/tile_target.h"
#include "web/json_writer.h"

#include <algorithm>
#include <vector>

namespace tavrin::web {

using game::Command;

bool pageOffers(Command c)
{
    switch (c) {
    case Command::NewGame:
    case Command::DailyGame:
    case Command::Open:
    case Command::HighScores:
    case Command::ClearHighScores:
    case Command::Exit:
    case Command::SoundOn:
    case Command::SoundOff:
    case Command::EcoMode:
    case Command::FullConnection:
    case Command::BigLoop:
    case Command::HelpTopics:
    case Command::About:
    case Command::Hint:
    case Command::FreshSeries:
    case Command::DailySeries: return true;
    default: return false;
    }
}

std::string pageTablesJson()
{
    JsonWriter json;
    json.beginObject();
    // The menus as the desktop orders them, less what only the desktop has.
    json.key("menus").beginArray();
    for (int m = 0; m < game::kMenuCount; ++m) {
        json.beginArray();
        for (Command command : game::menuItems(static_cast<game::Menu>(m))) {
            if (pageOffers(command)) {
                json.value(static_cast<int>(command));
            }
        }
        json.endArray();
    }
    json.endArray();
    std::vector<const game::CommandInfo*> buttons;
    for (const game::CommandInfo& info : game::commandTable()) {
        if (info.toolbar == game::Toolbar::Main && pageOffers(info.command)) {
            buttons.push_back(&info);
        }
    }
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->button < b->button; });
    json.key("toolbar").beginArray();
    for (const game::CommandInfo* info : buttons) {
        json.value(static_cast<int>(info->command));
    }
    json.endArray();
    json.key("shortcuts").beginObject();
    for (const game::CommandInfo& info : game::commandTable()) {
        if (!info.shortcut.empty() && pageOffers(info.command)) {
            json.key(info.shortcut).value(static_cast<int>(info.command));
        }
    }
    json.endObject();
    json.key("language").value(static_cast<int>(game::Menu::Options));
    json.key("surfaces").beginObject();
    json.key("board").value(static_cast<int>(graphics::Surface::Board));
    json.key("panel").value(static_cast<int>(graphics::Surface::Panel));
    json.key("palette").value(static_cast<int>(graphics::Surface::Palette));
    json.endObject();
    json.key("sounds").beginArray();
    for (const game::Sound sound : {game::Sound::Click, game::Sound::Trash, game::Sound::Jingle}) {
        json.value(game::soundFile(sound));
    }
    json.endArray();
    json.key("music").beginArray();
    for (const game::Music piece : {game::Music::FreeGame, game::Music::Series}) {
        json.value(game::musicFile(piece));
    }
    json.endArray();
    json.endObject();
    return json.text();
}

} // namespace tavrin::web
