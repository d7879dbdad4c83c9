// Where a tile goes: one board cell, the offered-piece panel or a palette entry.
#pragma once

namespace tavrin::graphics {

enum class Surface { Board, Panel, Palette };

struct TileTarget {
    Surface surface = Surface::Board;
    int index = 0; // board cell 0..63, palette entry 0..10; -1 with Board = the whole board

    static constexpr TileTarget cell(int i) { return {Surface::Board, i}; }
    static constexpr TileTarget wholeBoard() { return {Surface::Board, -1}; }
    static constexpr TileTarget panel() { return {Surface::Panel, 0}; }
    static constexpr TileTarget palette(int entry) { return {Surface::Palette, entry}; }

    bool operator==(const TileTarget&) const = default;
};

} // namespace tavrin::graphics
