#include "playfield/playfield_state.h"

Cell grid[grid_size][grid_size];
int playfield_width = 0;
int playfield_height = 0;

Actor actors[max_actors];
int actor_count = 0;
BaseSite base_sites[max_bases];
int base_count = 0;

BITMAP* world_bitmap = nullptr;
BITMAP* background_bitmap = nullptr;
BITMAP* solid_mask = nullptr;
DATAFILE* playfield_data = nullptr;
int playfield_bak = 0;
int playfield_fast = 0;
int playfield_pal = 0;

std::int32_t cell_kind(int column, int row) {
    if (column < 0 || row < 0 || column >= playfield_width || row >= playfield_height) {
        return cell_open;
    }
    return grid[column][row].kind;
}

std::int32_t cell_kind_at(int x, int y) {
    // Pixels left of or above the playfield must not round into column or
    // row 0.
    if (x < 0 || y < 0) {
        return cell_open;
    }
    return cell_kind(x / cell_pixels, y / cell_pixels);
}

Cell cell_at(int x, int y) {
    if (x < 0 || y < 0) {
        return Cell{};
    }
    int column = x / cell_pixels;
    int row = y / cell_pixels;
    if (column >= playfield_width || row >= playfield_height) {
        return Cell{};
    }
    return grid[column][row];
}
