#include "shots/shots.h"

#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/direction_tables.h"
#include "rocket/game_style.h"
#include "rocket/solid_mask_probe.h"
#include "sound/game_sounds.h"
#include "sound/sound_layer.h"
#include "view/status_panel.h"

#include <cmath>
#include <cstdlib>

Shot shots[shot_slots];
int shot_cursor = 0;
int hit_channel = -1;

namespace {
int truncated(double value) {
    return static_cast<int>(value);
}

bool inside(const Rocket& rocket, int x, int y) {
    int dx = x - rocket.x;
    int dy = y - rocket.y;
    return dx >= 0 && dx < 20 && dy >= 0 && dy < 20;
}

void hit(Rocket& rocket, int pan) {
    sound_stop(hit_channel);
    hit_channel = play_game_sound(sound_hit);
    rocket.health -= 5;
    if (rocket.carrying) {
        rocket.carrying = 0;
        play_game_sound(sound_flag_lost, pan);
    }
}

void fly(Shot& shot) {
    shot.x = truncated(shot.x + shot.vx);
    shot.y = truncated(shot.y + shot.vy);
    std::int32_t kind = cell_kind_at(shot.x, shot.y);
    if (kind == cell_water) {
        shot.vy -= 0.06;
    }
    if (kind == cell_goo) {
        shot.vy = std::fmax(-2.0, std::fmin(2.0, shot.vy));
        shot.vx = std::fmax(-2.0, std::fmin(2.0, shot.vx));
    } else {
        shot.vy += 0.1;
    }
}
} // namespace

void clear_shots() {
    for (Shot& shot : shots) {
        shot.y = 0;
    }
}

void fire_shot(Rocket& rocket) {
    if (!(rocket.input & 1) || rocket.ammunition <= 0) {
        return;
    }
    rocket.ammunition -= 1;
    draw_status_panel();
    shot_cursor = shot_cursor >= shot_slots - 1 ? 0 : shot_cursor + 1;
    Shot& shot = shots[shot_cursor];
    double s = direction_sin[rocket.direction];
    double c = direction_cos[rocket.direction];
    shot.x = truncated(rocket.x + 9 + 22 * s);
    shot.y = truncated(rocket.y + 9 + 22 * c);
    shot.vy = 6 * c + rocket.vy;
    shot.vx = 6 * s + rocket.vx;
}

void update_shots() {
    for (Shot& shot : shots) {
        if (shot.y == 0) {
            continue;
        }
        fly(shot);
        if (mask_not_clear(shot.x, shot.y) || mask_not_clear(shot.x + 1, shot.y + 1)) {
            shot.y = 0;
        } else if (inside(rockets[0], shot.x, shot.y)) {
            hit(rockets[0], 0);
            shot.y = 0;
            draw_status_panel();
        } else if (inside(rockets[1], shot.x, shot.y)) {
            hit(rockets[1], 255);
            shot.y = 0;
            draw_status_panel();
        }
    }
}

void crash_test(Rocket& rocket, int player) {
    if (game_style == style_bouncy) {
        return;
    }
    int x = rocket.x;
    int y = rocket.y;
    if (solid_at(x + 6, y + 6) || solid_at(x + 6, y + 12) || solid_at(x + 12, y + 6) ||
        solid_at(x + 12, y + 12)) {
        rocket.health = -1;
        play_game_sound(sound_crash, player * 255);
        draw_status_panel();
    }
}

void rocket_collision(Rocket& first, Rocket& second) {
    if (std::abs(first.x - second.x) >= 19 || std::abs(first.y - second.y) >= 19) {
        return;
    }
    play_game_sound(sound_hit, 0);
    first.health -= 20;
    second.health -= 20;
    double vx1 = first.vx;
    double vy1 = first.vy;
    double vx2 = second.vx;
    double vy2 = second.vy;
    if (std::fabs(vy1) + std::fabs(vx1) + std::fabs(vy2) + std::fabs(vx2) >= 8.0) {
        if (first.landed != 0) {
            second.vx = -vx2;
            second.vy = vy2 * -1.5;
        } else if (second.landed != 0) {
            first.vx = -vx1;
            first.vy = vy1 * -1.5;
        } else {
            first.vx = 2 * vx2;
            second.vx = 2 * vx1;
            first.vy = 2 * vy2;
            second.vy = 2 * vy1;
        }
    } else if (first.y < second.y) {
        first.vy = -4.0;
        first.vx = 2 * vx2;
        if (second.landed == 0) {
            second.vy = 2.0;
            second.vx = 2 * vx1;
        }
    } else if (second.y < first.y) {
        second.vy = -4.0;
        second.vx = 2 * vx1;
        if (first.landed == 0) {
            first.vy = 2.0;
            first.vx = 2 * vx2;
        }
    } else if (first.x > second.x) {
        first.vx = 4.0;
        second.vx = -4.0;
    } else {
        first.vx = -4.0;
        second.vx = 4.0;
    }
    play_game_sound(sound_hit, 255);
    draw_status_panel();
}

void count_down_carry(Rocket& rocket) {
    if (rocket.carry_cooldown != 0) {
        rocket.carry_cooldown -= 1;
    }
}
