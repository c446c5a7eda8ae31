#include "rocket/surface_contact.h"

#include "actors/actor_states.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/game_style.h"
#include "rocket/solid_mask_probe.h"
#include "sound/game_sounds.h"

#include <cmath>

namespace {
constexpr int push_out_limit = 18;

struct Kick {
    int vx, vy; // 0: left as it is
    int dx, dy; // position = 20 * cell + d; 0: left as it is
};

// Bumper kinds 102..109 in order.
constexpr Kick kicks[8] = {
    {4, 0, 19, 0},  {-4, 0, -19, 0},  {0, -4, 0, -19},  {0, 4, 0, 19},
    {4, 4, 19, 19}, {-4, 4, -19, 19}, {4, -4, 19, -19}, {-4, -4, -19, -19},
};

void kick(Rocket& rocket, int bumper, int column, int row, int actor) {
    const Kick& k = kicks[bumper];
    if (k.vx != 0) {
        rocket.vx = k.vx;
        rocket.x = cell_pixels * column + k.dx;
    }
    if (k.vy != 0) {
        rocket.vy = k.vy;
        rocket.y = cell_pixels * row + k.dy;
    }
    if (actor >= 0 && actor < actor_count) {
        int state = 19 + 2 * bumper;
        actors[actor].state = state;
        actors[actor].timer = actor_states[state].duration;
    }
}

void ride_conveyor(Rocket& rocket, int direction, int row) {
    rocket.vy = 0.0;
    rocket.direction = 0;
    rocket.x += 4 * direction;
    if (rocket.landed == 0) {
        rocket.y = cell_pixels * row - 10;
        play_game_sound(sound_landing);
        rocket.landed = 1;
        rocket.vx = 0.0;
    }
}

bool both_solid(int x1, int y1, int x2, int y2) {
    return solid_at(x1, y1) && solid_at(x2, y2);
}

bool either_solid(int x1, int y1, int x2, int y2) {
    return solid_at(x1, y1) || solid_at(x2, y2);
}

bool both_not_clear(int x1, int y1, int x2, int y2) {
    return mask_not_clear(x1, y1) && mask_not_clear(x2, y2);
}

void land(Rocket& rocket) {
    play_game_sound(sound_landing);
    rocket.landed = 1;
}

bool in_range(int direction, int from, int to) {
    if (from <= to) {
        return direction >= from && direction <= to;
    }
    return direction >= from || direction <= to;
}
} // namespace

void bouncy_contact(Rocket& rocket) {
    rocket.landed = 0;
    int& x = rocket.x;
    int& y = rocket.y;
    if (either_solid(x + 2, y + 19, x + 16, y + 19)) {
        rocket.vy = 1.0 - std::fabs(rocket.vy);
        y += 1;
        for (int i = 0; i < push_out_limit && both_not_clear(x + 2, y + 19, x + 16, y + 19); ++i) {
            y -= 1;
        }
    } else if (rocket.vy > 4.0) {
        int ahead = y + 19 + static_cast<int>(rocket.vy) / 2;
        if (either_solid(x + 2, ahead, x + 16, ahead)) {
            rocket.vy = 1.0 - std::fabs(rocket.vy);
        }
    } else if (either_solid(x + 2, y, x + 16, y)) {
        rocket.vy = std::fabs(rocket.vy);
        for (int i = 0; i < push_out_limit && both_not_clear(x + 2, y, x + 16, y); ++i) {
            y += 1;
        }
    }

    if (either_solid(x, y + 2, x, y + 16)) {
        rocket.vx = std::fabs(rocket.vx);
        x -= 1;
        for (int i = 0; i < push_out_limit && both_not_clear(x, y + 2, x, y + 16); ++i) {
            x += 1;
        }
    } else if (either_solid(x + 19, y + 2, x + 19, y + 16)) {
        rocket.vx = -std::fabs(rocket.vx);
        x += 1;
        for (int i = 0; i < push_out_limit && both_not_clear(x + 19, y + 2, x + 19, y + 16); ++i) {
            x -= 1;
        }
    }
}

void strict_contact(Rocket& rocket, bool lenient) {
    int& x = rocket.x;
    int& y = rocket.y;
    int d = rocket.direction;
    auto accepts = [&](int from, int to) { return lenient || in_range(d, from, to); };

    if (accepts(22, 3) && both_solid(x + 2, y + 20, x + 16, y + 20)) {
        rocket.direction = 0;
        rocket.vx = 0.0;
        rocket.vy = 0.0;
        if (rocket.landed == 0) {
            y += 1;
            for (int i = 0; i < push_out_limit && both_not_clear(x + 2, y + 19, x + 16, y + 19);
                 ++i) {
                y -= 1;
            }
            land(rocket);
        }
    } else if (accepts(9, 15) && both_solid(x + 2, y - 1, x + 16, y - 1)) {
        rocket.direction = 12;
        rocket.vx = 0.0;
        if (rocket.landed == 0) {
            for (int i = 0; i < push_out_limit && both_not_clear(x + 2, y, x + 16, y); ++i) {
                y += 1;
            }
            land(rocket);
            rocket.vy = 0.0;
        }
    } else if (accepts(3, 9) && both_solid(x - 1, y + 2, x - 1, y + 16)) {
        rocket.direction = 6;
        if (rocket.landed == 0) {
            x -= 1;
            for (int i = 0; i < push_out_limit && both_not_clear(x, y + 2, x, y + 16); ++i) {
                x += 1;
            }
            land(rocket);
            rocket.vx = 0.0;
            rocket.vy = 0.0;
        } else {
            rocket.landed = 2;
        }
    } else if (accepts(15, 21) && both_solid(x + 20, y + 2, x + 20, y + 16)) {
        rocket.direction = 18;
        if (rocket.landed == 0) {
            x += 1;
            for (int i = 0; i < push_out_limit && both_not_clear(x + 19, y + 2, x + 19, y + 16);
                 ++i) {
                x -= 1;
            }
            land(rocket);
            rocket.vx = 0.0;
            rocket.vy = 0.0;
        } else {
            rocket.landed = 2;
        }
    } else {
        rocket.landed = 0;
    }
}

void apply_cell_effects(Rocket& rocket) {
    int column = (rocket.x + 10) / cell_pixels;
    int row = (rocket.y + 10) / cell_pixels;
    Cell cell = cell_at(rocket.x + 10, rocket.y + 10);
    if (cell.kind >= cell_bumper && cell.kind < cell_bumper + 8) {
        kick(rocket, cell.kind - cell_bumper, column, row, cell.aux);
        return;
    }
    if (cell.kind == cell_conveyor && (rocket.direction <= 3 || rocket.direction >= 22)) {
        ride_conveyor(rocket, cell.aux, row);
        return;
    }
    if (game_style == style_bouncy) {
        bouncy_contact(rocket);
    } else {
        strict_contact(rocket, game_style == style_lenient);
    }
}
