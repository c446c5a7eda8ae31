#include "view/world_drawing.h"

#include "actors/actor_states.h"
#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/random.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/controls.h"
#include "shots/shots.h"
#include "view/cameras.h"
#include "view/dirty_list.h"
#include "view/status_panel.h"

#include <algorithm>
#include <allegro.h>

namespace {
constexpr int water_colour = 253;

struct Shimmer {
    int countdown = 0;
    RGB colour{0, 17, 35, 0};
};
Shimmer shimmer;

void draw_rocket(const Rocket& rocket, int wreck, int first_sprite) {
    int index = rocket.health <= 0 ? wreck : first_sprite + rocket.direction + rocket.flame;
    draw_rle_sprite(world_bitmap, zorbo_object<RLE_SPRITE>(index), rocket.x, rocket.y);
    add_dirty(rocket.x, rocket.y, 20, 20);
}

void draw_actors() {
    for (int i = 0; i < actor_count; ++i) {
        const Actor& actor = actors[i];
        if (actor.state < 0 || actor.state >= actor_state_count) {
            continue;
        }
        const ActorState& state = actor_states[actor.state];
        auto* sprite = zorbo_object<RLE_SPRITE>(state.frame);
        draw_rle_sprite(world_bitmap, sprite, actor.x, actor.y);
        if (state.restore) {
            add_dirty(actor.x, actor.y, sprite->w, sprite->h);
        }
    }
}

void wait_for_counter(int ticks) {
    while (frame_counter.load() < ticks) {
        rest(1);
    }
}
} // namespace

void draw_world() {
    acquire_bitmap(background_bitmap);
    restore_dirty(background_bitmap, world_bitmap);
    release_bitmap(background_bitmap);

    acquire_bitmap(world_bitmap);
    draw_actors();
    draw_rocket(rockets[0], obj_wreck1, obj_rocket1);
    draw_rocket(rockets[1], obj_wreck2, obj_rocket2);
    for (const Shot& shot : shots) {
        if (shot.y != 0) {
            rectfill(world_bitmap, shot.x, shot.y, shot.x + 1, shot.y + 1, 232);
            add_dirty(shot.x, shot.y, 2, 2);
        }
    }
    release_bitmap(world_bitmap);

    acquire_bitmap(surface);
    blit(world_bitmap, surface, cameras[0].x, cameras[0].y, 0, 0, 300, 480);
    blit(world_bitmap, surface, cameras[1].x, cameras[1].y, 340, 0, 300, 480);
    release_bitmap(surface);
}

void run_map_view() {
    while (key[KEY_F1]) {
        rest(1);
    }
    int map_x = 0;
    int map_y = 0;
    int max_y = cell_pixels * playfield_height - 480;
    int max_x = cell_pixels * playfield_width - 640;
    while (!key[KEY_ESC] && !key[KEY_F1] && !close_requested()) {
        frame_counter = 0;
        for (int p = 0; p < 2; ++p) {
            read_controls(p);
            int input = rockets[p].input;
            if (input & 1) {
                if (map_y > 0) {
                    map_y -= 10;
                }
            } else if (input & 2) {
                if (map_y < max_y) {
                    map_y += 10;
                }
            }
            if (input & 8) {
                if (map_x > 0) {
                    map_x -= 10;
                }
            } else if (input & 4) {
                if (map_x < max_x) {
                    map_x += 10;
                }
            }
        }
        blit(world_bitmap, surface, map_x, map_y, 0, 0, 640, 480);
        wait_for_counter(9);
    }
    draw_centre_column();
    draw_status_panel();
    draw_world();
    while (key[KEY_ESC] || key[KEY_F1]) {
        rest(1);
    }
}

void reset_shimmer() {
    shimmer = Shimmer{};
}

void shimmer_water() {
    if (shimmer.countdown != 0) {
        shimmer.countdown -= 1;
        return;
    }
    shimmer.countdown = 5;
    int g = std::clamp(shimmer.colour.g + zorbo_rand() % 3 - 1, 10, 25);
    int b = std::clamp(shimmer.colour.b + zorbo_rand() % 3 - 1, 25, 50);
    shimmer.colour.g = static_cast<unsigned char>(g);
    shimmer.colour.b = static_cast<unsigned char>(b);
    if (gfx_driver) {
        vsync();
    }
    set_color(water_colour, &shimmer.colour);
}
