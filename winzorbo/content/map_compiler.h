#pragma once

#include "content/songs.h"

#include <cstdint>
#include <string>
#include <vector>

// Scenery values the compiler uses for the tiles of a playfield datafile:
// the backdrop variants and the decorations.
enum SceneryTile : int {
    scenery_backdrop = 1, // 1..4: backdrop variants
    scenery_backdrop_variants = 4,
    scenery_window = 5,
    scenery_pipe_across = 6,
    scenery_pipe_down = 7,
    scenery_vines = 8,
    scenery_girder = 9,
    scenery_crystal = 10,
    scenery_tile_count = 10,
};

// Solid tiles: one per neighbour mask (bit 1 above, 2 right, 4 below, 8 left
// solid). The fully surrounded block is FAST itself (tile 0, also the divider
// column), so it swaps places with the lone block. Metal blocks follow at 16.
constexpr int solid_tiles_per_style = 16;
constexpr int solid_style_count = 2;

constexpr int solid_tile_for_mask(int mask) {
    return mask == 15 ? 0 : (mask == 0 ? 15 : mask);
}
constexpr int solid_mask_for_tile(int tile) {
    return solid_tile_for_mask(tile);
}

// A playfield as its text map describes it.
struct MapSource {
    std::string magic = "IZRB";
    bool special = false;
    std::string swedish_name; // UTF-8
    std::string english_name;
    std::string datafile;
    std::string theme;
    SongStyle music;
    std::vector<std::string> rows;
};

// Parses a map file; problems are appended with line numbers.
MapSource parse_map(const std::string& text, std::vector<std::string>& problems);

// Checks that the map can be played: equal row widths, closed top and bottom
// rows, both start positions standing on ground, bases complete and standing
// on ground, nothing outside the legend.
void check_map(const MapSource& map, std::vector<std::string>& problems);

// The playfield file bytes.
std::vector<std::uint8_t> compile_map(const MapSource& map);
