#pragma once

#include <cstdint>

struct BITMAP;
struct DATAFILE;

enum CellKind : std::int32_t {
    cell_solid = 0,
    cell_goo = 99,
    cell_water = 100,
    cell_conveyor = 101,
    cell_bumper = 102, // 102 + parameter 0..7
    cell_base = 110,   // 110 + base 0..2
    cell_open = 255,
};

struct Cell {
    std::int32_t kind = cell_open;
    std::int32_t aux = 0;
};

constexpr int grid_size = 256;
constexpr int cell_pixels = 20;
constexpr int max_actors = 1000;
constexpr int max_bases = 3;

struct Actor {
    int x = 0;
    int y = 0;
    int timer = 0;
    int state = 0;
    int aux = 0;
};

struct BaseSite {
    int x = 0;
    int y = 0;
    int actor = 0;
};

extern Cell grid[grid_size][grid_size]; // [column][row]
extern int playfield_width;             // in cells
extern int playfield_height;

extern Actor actors[max_actors];
extern int actor_count;
extern BaseSite base_sites[max_bases];
extern int base_count;

extern BITMAP* world_bitmap;
extern BITMAP* background_bitmap;
extern BITMAP* solid_mask;
extern DATAFILE* playfield_data;
extern int playfield_bak; // object indices in playfield_data
extern int playfield_fast;
extern int playfield_pal;

// The kind of a cell; everything outside the playfield is open space.
std::int32_t cell_kind(int column, int row);
// The kind of the cell under a world pixel.
std::int32_t cell_kind_at(int x, int y);
// The whole cell under a world pixel; open with aux 0 outside.
Cell cell_at(int x, int y);
