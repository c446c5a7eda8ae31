#include "rocket/rocket_motion.h"

#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/direction_tables.h"
#include "sound/game_sounds.h"

namespace {
// Positions move by the velocity truncated toward zero.
int moved(int position, double velocity) {
    return static_cast<int>(position + velocity);
}

std::int32_t medium_under(const Rocket& rocket) {
    return cell_kind_at(rocket.x + 10, rocket.y + 4);
}

void water_step(Rocket& rocket) {
    if (rocket.vy <= 2.0) {
        rocket.vy -= 0.18;
        if (rocket.vy < -12.0) {
            rocket.vy = -12.0;
        }
    } else {
        // Entering fast: the surface brakes the fall.
        rocket.vy *= 0.9090909090909091;
        if (rocket.in_water == 0) {
            rocket.in_water = 1;
            if (rocket.vy > 4.0) {
                play_game_sound(sound_splash);
            }
        }
    }
    rocket.vx *= 0.96;
}

void goo_step(Rocket& rocket) {
    if (rocket.vy > 2.0) {
        rocket.vy = 2.0;
    } else if (rocket.vy > 0.0) {
        rocket.vy -= 0.18;
        if (rocket.vy < 0.0) {
            rocket.vy = 0.0;
        }
    } else if (rocket.vy < -2.0) {
        rocket.vy = -2.0;
    }
    rocket.vx *= 0.8;
}

void air_step(Rocket& rocket) {
    if (rocket.in_water != 0) {
        rocket.in_water = 0;
        rocket.vy *= 1.0 / 3.0;
    }
    rocket.vy += 0.2;
    if (rocket.vy > 16.0) {
        rocket.vy = 16.0;
    } else if (rocket.vy < -10.0) {
        rocket.vy = -10.0;
    }
}
} // namespace

void reset_rocket(Rocket& rocket, bool full) {
    rocket.x = rocket.start_x;
    rocket.y = rocket.start_y;
    rocket.vx = 0.0;
    rocket.vy = 0.0;
    rocket.direction = medium_under(rocket) == cell_water ? 12 : 0;
    rocket.health = 100;
    rocket.landed = 0;
    rocket.in_water = 0;
    rocket.carrying = 0;
    rocket.carry_cooldown = 0;
    rocket.flame = 0;
    if (full) {
        rocket.ammunition = 500;
    }
}

void move_rocket(Rocket& rocket) {
    std::int32_t kind = medium_under(rocket);
    bool liquid = kind == cell_water || kind == cell_goo;
    if (kind == cell_water && rocket.landed == 0) {
        water_step(rocket);
    } else if (kind == cell_goo && rocket.landed == 0) {
        goo_step(rocket);
    } else if (!liquid) {
        air_step(rocket);
    }
    rocket.vx *= 0.98;
    // A slow leftward drift is always pushed past zero.
    if (rocket.vx > -1.0 && rocket.vx < 0.0) {
        rocket.vx += 0.2;
    } else if (rocket.vx > 10.0) {
        rocket.vx = 10.0;
    } else if (rocket.vx < -10.0) {
        rocket.vx = -10.0;
    }
    rocket.y = moved(rocket.y, rocket.vy);
    rocket.x = moved(rocket.x, rocket.vx);
}

void rotate_rocket(Rocket& rocket) {
    if (rocket.landed == 1) {
        return;
    }
    if (rocket.input & 8) {
        rocket.direction = rocket.direction == 0 ? direction_count - 1 : rocket.direction - 1;
    } else if (rocket.input & 4) {
        rocket.direction = rocket.direction == direction_count - 1 ? 0 : rocket.direction + 1;
    }
}

void thrust_rocket(Rocket& rocket) {
    if (rocket.input & 2) {
        rocket.flame = 24;
        rocket.vy += direction_cos[rocket.direction];
        rocket.vx += 0.8 * direction_sin[rocket.direction];
    } else {
        rocket.flame = 0;
    }
}

void wrap_rocket(Rocket& rocket) {
    int right_edge = cell_pixels * playfield_width;
    if (rocket.x < 10) {
        rocket.x = right_edge - 40;
        play_game_sound(sound_wrap, 0);
    } else if (rocket.x > right_edge - 12) {
        rocket.x = 20;
        play_game_sound(sound_wrap, 255);
    }
}
