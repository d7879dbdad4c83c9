#include "game/screen.h"

#include "game/command_table.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"

#include <algorithm>

namespace tavrin::game {

namespace {

constexpr std::size_t at(auto e) { return static_cast<std::size_t>(e); }

bool paletteEntry(int entry) { return entry >= 0 && entry < kPaletteSize; }

} // namespace

Screen::Screen() : caption(std::string(kProductTitle))
{
    for (const CommandInfo& info : commandTable()) {
        CommandView& c = commands[at(info.command)];
        c.enabled = info.enabled;
        c.checked = info.checked;
        c.caption = isEmpty(info.caption) ? Text() : Text(info.caption);
        c.toolTip = isEmpty(info.toolTip) ? Text() : Text(info.toolTip);
    }
    const std::array<Text, kFrameCount> captions{Text(kEcoPointsCaption), Text(kMovesLeftCaption),
                                                 Text(kLoopPointsCaption), Text(kChainCaption)};
    const std::array<std::string, kFrameCount> values{"0", "100", "0", ""};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i].caption = captions[i];
        frames[i].value = values[i];
    }
    palette[0].selected = true;
}

bool Screen::offered(Command c) const
{
    const CommandView& view = command(c);
    return view.enabled && view.visible && menus[at(commandInfo(c).menu)];
}

ScreenChanges ScreenChanges::everything()
{
    ScreenChanges all;
    all.parts.set();
    all.commands.set();
    return all;
}

ScreenChanges ScreenModel::takeChanges()
{
    ScreenChanges taken = std::move(changes_);
    changes_ = ScreenChanges{};
    return taken;
}

void ScreenModel::markAll()
{
    changes_.parts.set();
    changes_.commands.set();
}

template <typename T> void ScreenModel::set(T& field, const T& value, Part part)
{
    if (!(field == value)) {
        field = value;
        changes_.parts.set(at(part));
    }
}

void ScreenModel::setCommand(Command c, auto CommandView::*field, const auto& value)
{
    CommandView& view = command(c);
    if (!(view.*field == value)) {
        view.*field = value;
        changes_.parts.set(at(Part::Commands));
        changes_.commands.set(at(c));
    }
}

void ScreenModel::setStatus(const Text& text) { set(screen_.status, text, Part::Status); }
void ScreenModel::setCaption(const Text& caption) { set(screen_.caption, caption, Part::Caption); }

void ScreenModel::setCommandEnabled(Command c, bool enabled) { setCommand(c, &CommandView::enabled, enabled); }

void ScreenModel::setCommandChecked(Command c, bool checked)
{
    // Only a command that can be checked shows a check mark.
    if (commandInfo(c).checkable) {
        setCommand(c, &CommandView::checked, checked);
    }
}

void ScreenModel::setCommandVisible(Command c, bool visible) { setCommand(c, &CommandView::visible, visible); }
void ScreenModel::setCommandCaption(Command c, const Text& caption) { setCommand(c, &CommandView::caption, caption); }
void ScreenModel::setCommandToolTip(Command c, const Text& toolTip) { setCommand(c, &CommandView::toolTip, toolTip); }
void ScreenModel::setCommandImage(Command c, int image) { setCommand(c, &CommandView::image, image); }

void ScreenModel::setMenuEnabled(Menu menu, bool enabled) { set(screen_.menus[at(menu)], enabled, Part::Menus); }

void ScreenModel::setFrameValue(ScoreFrame f, const std::string& value)
{
    set(screen_.frames[at(f)].value, value, Part::Frames);
}

void ScreenModel::setFrameCaption(ScoreFrame f, const Text& caption)
{
    set(screen_.frames[at(f)].caption, caption, Part::Frames);
}

void ScreenModel::setFrameVisible(ScoreFrame f, bool visible)
{
    set(screen_.frames[at(f)].visible, visible, Part::Frames);
}

void ScreenModel::setTrash(int count) { set(screen_.trash, count, Part::Trash); }
void ScreenModel::setLoopLength(const Text& text) { set(screen_.loopLength, text, Part::LoopLength); }

void ScreenModel::setComment(const Text& text) { set(screen_.comment.text, text, Part::Comment); }
void ScreenModel::setCommentVisible(bool visible) { set(screen_.comment.visible, visible, Part::Comment); }
void ScreenModel::setCommentReadOnly(bool readOnly) { set(screen_.comment.readOnly, readOnly, Part::Comment); }

void ScreenModel::setSpinnerMaximum(int maximum)
{
    set(screen_.spinner.maximum, std::max(maximum, 0), Part::Spinner);
    setSpinnerValue(screen_.spinner.value);
}

void ScreenModel::setSpinnerValue(int value)
{
    set(screen_.spinner.value, std::clamp(value, 0, screen_.spinner.maximum), Part::Spinner);
}

void ScreenModel::setSpinnerEnabled(bool enabled) { set(screen_.spinner.enabled, enabled, Part::Spinner); }
void ScreenModel::setSpinnerVisible(bool visible) { set(screen_.spinner.visible, visible, Part::Spinner); }
void ScreenModel::setSpinnerLabel(const std::string& label) { set(screen_.spinner.label, label, Part::Spinner); }

void ScreenModel::setPanelVisible(Panel panel, bool visible) { set(screen_.panels[at(panel)], visible, Part::Panels); }

void ScreenModel::setBoardToolbarEnabled(bool enabled)
{
    set(screen_.boardToolbarEnabled, enabled, Part::BoardToolbar);
}

void ScreenModel::setPaletteSelected(int entry, bool selected)
{
    if (paletteEntry(entry)) {
        set(screen_.palette[at(entry)].selected, selected, Part::Palette);
    }
}

void ScreenModel::setPaletteEnabled(int entry, bool enabled)
{
    if (paletteEntry(entry)) {
        set(screen_.palette[at(entry)].enabled, enabled, Part::Palette);
    }
}

void ScreenModel::setPaletteVisible(int entry, bool visible)
{
    if (paletteEntry(entry)) {
        set(screen_.palette[at(entry)].visible, visible, Part::Palette);
    }
}

void ScreenModel::setEditorOption(EditorOption option) { set(screen_.editorOption, option, Part::EditorOption); }
void ScreenModel::setHintCell(int cell) { set(screen_.hintCell, isCell(cell) ? cell : -1, Part::Hint); }

void ScreenModel::setCursor(int cell, bool shown)
{
    set(screen_.cursor.cell, std::clamp(cell, 0, kCellCount - 1), Part::Cursor);
    set(screen_.cursor.shown, shown, Part::Cursor);
}

void ScreenModel::setBusy(bool busy) { set(screen_.busy, busy, Part::Busy); }

void ScreenModel::drawTile(const TileDraw& tile)
{
    Drawing d;
    d.tile = tile;
    changes_.drawings.push_back(d);
}

void ScreenModel::redrawAll(int offeredPiece)
{
    Drawing d;
    d.kind = Drawing::Kind::Everything;
    d.offeredPiece = offeredPiece;
    d.palette = screen_.panel(Panel::Palette);
    changes_.drawings.push_back(d);
}

void ScreenModel::redrawBoard()
{
    Drawing d;
    d.kind = Drawing::Kind::Board;
    changes_.drawings.push_back(d);
}

void ScreenModel::clearOfferedPiece()
{
    Drawing d;
    d.kind = Drawing::Kind::EmptyPanel;
    changes_.drawings.push_back(d);
}

} // namespace tavrin::game
