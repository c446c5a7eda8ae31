#include "field_fixture.h"

#include "core/game_state.h"
#include "match/match_state.h"
#include "playfield/rocket.h"
#include "rocket/controls.h"
#include "rocket/game_style.h"
#include "shots/shots.h"
#include "view/dirty_list.h"

#include <allegro.h>
#include <initializer_list>

TestField::TestField(int width, int height) {
    playfield_width = width;
    playfield_height = height;
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            grid[c][r] = Cell{};
        }
    }
    solid_mask = create_bitmap(width * cell_pixels, height * cell_pixels);
    world_bitmap = create_bitmap(width * cell_pixels, height * cell_pixels);
    background_bitmap = create_bitmap(width * cell_pixels, height * cell_pixels);
    clear_bitmap(solid_mask);
    clear_bitmap(world_bitmap);
    clear_bitmap(background_bitmap);
    surface = create_bitmap(640, 480);
    clear_bitmap(surface);
    actor_count = 0;
    base_count = 0;
    clear_shots();
    dirty_list = DirtyList{};
    for (Rocket& rocket : rockets) {
        rocket = Rocket{};
    }
    match = MatchState{};
    game_style = style_strict;
    headless_match = true;
    script_controls(0, 0);
    script_controls(1, 0);
}

TestField::~TestField() {
    for (BITMAP** bitmap : {&solid_mask, &world_bitmap, &background_bitmap, &surface}) {
        destroy_bitmap(*bitmap);
        *bitmap = nullptr;
    }
    script_controls(0, -1);
    script_controls(1, -1);
}

void TestField::solid(int column, int row) {
    grid[column][row].kind = cell_solid;
    rectfill(solid_mask, column * cell_pixels, row * cell_pixels, column * cell_pixels + 19,
             row * cell_pixels + 19, 1);
}

void TestField::solid_row(int row, int from, int to) {
    for (int c = from; c <= to; ++c) {
        solid(c, row);
    }
}

void TestField::kind(int column, int row, std::int32_t kind, std::int32_t aux) {
    grid[column][row] = Cell{kind, aux};
}

int TestField::add_actor(int x, int y, int state, int timer) {
    actors[actor_count] = Actor{x, y, timer, state, 0};
    return actor_count++;
}
