#include "web/screen_json.h"

#include "game/command_table.h"
#include "game/flow_texts.h"
#include "scores/high_score_texts.h"
#include "web/json_writer.h"
#include "web/page_tables.h"
#include "web/page_texts.h"


namespace tavrin::web {

using game::Command;
using game::Part;

namespace {

constexpr std::size_t at(auto e) { return static_cast<std::size_t>(e); }

// The exit item ends a series here; in play a page is closed by its tab.
bool shownOnPage(const game::Screen& screen, Command c)
{
    const game::CommandView& view = screen.command(c);
    return view.visible && !(c == Command::Exit && view.caption == Text(game::kExitCaption));
}

void writeCommands(JsonWriter& json, const game::Screen& screen, const game::ScreenChanges& changes,
                   const Text::Translate& translate)
{
    json.key("commands").beginArray();
    for (const game::CommandInfo& info : game::commandTable()) {
        if (!changes.has(info.command) || !pageOffers(info.command)) {
            continue;
        }
        const game::CommandView& view = screen.command(info.command);
        json.beginArray()
            .value(static_cast<int>(info.command))
            .value(view.enabled)
            .value(view.checked)
            .value(shownOnPage(screen, info.command))
            .value(view.caption.render(translate))
            .value(view.toolTip.render(translate))
            .endArray();
    }
    json.endArray();
}

void writeFrames(JsonWriter& json, const game::Screen& screen, const Text::Translate& translate)
{
    json.key("frames").beginArray();
    for (const game::FrameView& frame : screen.frames) {
        json.beginArray().value(frame.caption.render(translate)).value(frame.value).value(frame.visible).endArray();
    }
    json.endArray();
}

void writePanels(JsonWriter& json, const game::Screen& screen)
{
    json.key("panels").beginObject();
    json.key("freeGame").value(screen.panel(game::Panel::FreeGame));
    json.key("palette").value(screen.panel(game::Panel::Palette));
    json.endObject();
    json.key("palette").beginArray();
    for (const game::PaletteView& entry : screen.palette) {
        json.beginArray().value(entry.selected).value(entry.enabled).value(entry.visible).endArray();
    }
    json.endArray();
}

void writeScores(JsonWriter& json, const HighScoreView& view, const Text::Translate& translate)
{
    json.key("scores").beginObject();
    json.key("series").value(view.series);
    json.key("caption").value(view.caption.render(translate));
    json.key("highlighted").value(view.highlighted);
    json.key("note").value(view.note.render(translate));
    json.key("copy").value(view.copyEnabled);
    json.key("clipboard").value(clipboardText(view).render(translate));
    json.key("copyText").value(Text(kCopyButton).render(translate));
    if (!view.recordRegistration.empty()) {
        json.key("record").raw(view.recordRegistration);
        json.key("rankingText").value(Text(kRegisterRecordButton).render(translate));
    }
    json.key("rows").beginArray();
    for (const HighScoreRow& row : view.rows) {
        json.beginArray().value(row.name).value(row.score).endArray();
    }
    json.endArray();
    json.endObject();
}

} // namespace

std::string screenJson(const game::Screen& screen, const game::ScreenChanges& changes,
                       const Text::Translate& translate)
{
    JsonWriter json;
    json.beginObject();
    if (changes.has(Part::Status)) {
        json.key("status").value(screen.status.render(translate));
    }
    if (changes.has(Part::Caption)) {
        json.key("caption").value(screen.caption.render(translate));
    }
    if (changes.has(Part::Commands)) {
        writeCommands(json, screen, changes, translate);
    }
    if (changes.has(Part::Menus)) {
        json.key("menus").beginArray();
        for (const bool enabled : screen.menus) {
            json.value(enabled);
        }
        json.endArray();
    }
    if (changes.has(Part::Frames)) {
        writeFrames(json, screen, translate);
    }
    if (changes.has(Part::Trash)) {
        json.key("trash").value(screen.trash);
    }
    if (changes.has(Part::LoopLength)) {
        json.key("loopLength").value(screen.loopLength.render(translate));
    }
    if (changes.has(Part::Comment)) {
        json.key("comment").beginArray().value(screen.comment.text.render(translate)).value(screen.comment.visible);
        json.endArray();
    }
    if (changes.has(Part::Spinner)) {
        const game::SpinnerView& s = screen.spinner;
        json.key("spinner").beginArray().value(s.maximum).value(s.value).value(s.visible).value(s.label).endArray();
    }
    if (changes.has(Part::Panels) || changes.has(Part::Palette)) {
        writePanels(json, screen);
    }
    if (changes.has(Part::Hint)) {
        json.key("hint").value(screen.hintCell);
    }
    if (changes.has(Part::Cursor)) {
        json.key("cursor").beginArray().value(screen.cursor.cell).value(screen.cursor.shown).endArray();
    }
    json.endObject();
    return json.text();
}

std::string boxJson(const game::Box& box, const Text::Translate& translate, const std::string& registration)
{
    JsonWriter json;
    json.beginObject();
    json.key("id").value(box.id);
    switch (box.kind) {
    case game::Box::Kind::Message: json.key("kind").value("message"); break;
    case game::Box::Kind::Input: json.key("kind").value("input"); break;
    case game::Box::Kind::HighScores: json.key("kind").value("scores"); break;
    }
    json.key("text").value(box.text.render(translate));
    json.key("title").value(box.title.render(translate));
    json.key("yesNo").value(box.buttons == game::Buttons::YesNo);
    json.key("icon").value(static_cast<int>(box.icon));
    json.key("default").value(box.defaultText);
    if (box.kind == game::Box::Kind::HighScores) {
        writeScores(json, box.scores, translate);
        if (!registration.empty()) {
            json.key("register").raw(registration);
        }
    }
    json.endObject();
    return json.text();
}

} // namespace tavrin::web
