#pragma once

#include "content/datafile_writer.h"
#include "content/sprite_sheet.h"

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

// The look of one playfield: its palette for colours 0..223 and its tiles.
struct Tileset {
    PALETTE palette;
    SpriteSheet scenery; // scenery tiles 1..scenery_tile_count
    SpriteSheet solids;  // solid tiles 0..31
};

// Themes: "space", "cave", "station", "lagoon", "ice". False for others.
bool make_tileset(const std::string& theme, Tileset& tileset);

// The playfield datafile: music, the BAK marker and scenery tiles, FAST and
// the solid tiles, PAL.
void add_playfield_objects(DatafileWriter& writer, const Tileset& tileset,
                           std::vector<std::uint8_t> music);
