#include "match/match_flow.h"

#include "actors/actor_states.h"
#include "core/frame_counter.h"
#include "core/text_format.h"
#include "match/match_state.h"
#include "match/message_box.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/controls.h"
#include "rocket/rocket_motion.h"
#include "rocket/surface_contact.h"
#include "shots/shots.h"
#include "sound/game_sounds.h"
#include "startup/text_table.h"
#include "view/cameras.h"
#include "view/status_panel.h"
#include "view/world_drawing.h"

#include <allegro.h>

namespace {
bool round_running = false;

bool frames_continue() {
    return rockets[0].health > 0 && rockets[1].health > 0 && rockets[0].score < match.target &&
           rockets[1].score < match.target;
}

bool target_reached() {
    return rockets[0].score >= match.target || rockets[1].score >= match.target;
}

void announce(const std::string& line1, const char* line2) {
    if (!headless_match) {
        message_box(line1.c_str(), line2);
    }
}

void decide_shooting_round() {
    bool first_down = rockets[0].health <= 0;
    bool second_down = rockets[1].health <= 0;
    if (second_down && !first_down) {
        announce(format_text(text(21), 1, 256), "<--");
        rockets[0].score += 1;
    } else if (first_down && second_down) {
        announce(text(22), nullptr);
        rockets[0].score += 1;
        rockets[1].score += 1;
    } else if (first_down) {
        announce(format_text(text(21), 2, 256), "-->");
        rockets[1].score += 1;
    }
}

void set_up_round() {
    if (match.kind == game_shooting || match.first_pass) {
        match.first_pass = false;
        if (!headless_match) {
            install_int(tick, 3);
        }
        clear_shots();
        draw_centre_column();
        reset_rocket(rockets[0], true);
        reset_rocket(rockets[1], true);
    } else {
        for (Rocket& rocket : rockets) {
            if (rocket.health <= 0) {
                reset_rocket(rocket, false);
            }
        }
    }
    reset_look_ahead();
    draw_status_panel();
}

void move_actor(int base, int x, int y) {
    if (base < 0 || base >= base_count) {
        return;
    }
    int index = base_sites[base].actor;
    if (index >= 0 && index < actor_count) {
        actors[index].x = x;
        actors[index].y = y;
    }
}

// A flag brought to the player's own base: a point, and the flag goes back.
void deliver_home(Rocket& rocket, int pan) {
    rocket.score += 1;
    draw_status_panel();
    rocket.carrying = 0;
    play_game_sound(sound_score, pan);
}

void flag_on_base(int base) {
    if (base >= 0 && base < base_count) {
        move_actor(base, base_sites[base].x, base_sites[base].y);
    }
}
} // namespace

void begin_match(const int totals[2], int target) {
    match.kind = game_kind_for(base_count);
    match.target = target;
    match.totals[0] = totals[0];
    match.totals[1] = totals[1];
    match.first_pass = true;
    match.over = false;
    round_running = false;
    rockets[0].score = 0;
    rockets[1].score = 0;
    hit_channel = -1;
    reset_shimmer();
    if (match.kind == game_central_flag) {
        move_actor(0, -20, base_sites[0].y);
        move_actor(1, -20, base_sites[1].y);
    }
}

bool prepare_frame() {
    if (round_running && frames_continue()) {
        return true;
    }
    if (round_running) {
        round_running = false;
        if (match.kind == game_shooting) {
            if (!headless_match) {
                remove_int(tick);
            }
            decide_shooting_round();
        }
    }
    if (target_reached()) {
        match.over = true;
        return false;
    }
    set_up_round();
    round_running = true;
    return frames_continue();
}

void apply_flag_rules(int p) {
    Rocket& rocket = rockets[p];
    Rocket& other = rockets[1 - p];
    std::int32_t kind = cell_kind_at(rocket.x + 10, rocket.y + 10);
    int pan = p * 255;
    if (match.kind == game_two_base) {
        if (!rocket.carrying && kind == cell_base + 1 - p) {
            rocket.carrying = 1;
            play_game_sound(sound_score, pan);
        } else if (rocket.carrying && kind == cell_base + p) {
            deliver_home(rocket, pan);
        }
    } else if (match.kind == game_central_flag) {
        if (!rocket.carrying && !other.carrying && kind == cell_base + 2) {
            rocket.carrying = 1;
            play_game_sound(sound_score, pan);
        } else if (rocket.carrying && kind == cell_base + p) {
            deliver_home(rocket, pan);
        } else if (rocket.carrying && kind == cell_base + 1 - p) {
            other.score += 1;
            draw_status_panel();
            rocket.carrying = 0;
            play_game_sound(sound_flag_lost, pan);
        }
    }
}

void place_flags(int p) {
    const Rocket& rocket = rockets[p];
    if (match.kind == game_two_base) {
        if (rocket.carrying) {
            move_actor(1 - p, rocket.x, rocket.y - 20);
        } else {
            flag_on_base(1 - p);
        }
    } else if (match.kind == game_central_flag && p == 0) {
        if (rockets[0].carrying) {
            move_actor(2, rockets[0].x, rockets[0].y - 20);
        } else if (rockets[1].carrying) {
            move_actor(2, rockets[1].x, rockets[1].y - 20);
        } else {
            flag_on_base(2);
        }
    }
}

void rocket_turn(int p) {
    Rocket& rocket = rockets[p];
    apply_flag_rules(p);
    apply_cell_effects(rocket);
    read_controls(p);
    rotate_rocket(rocket);
    fire_shot(rocket);
    thrust_rocket(rocket);
    place_flags(p);
    crash_test(rocket, p);
    wrap_rocket(rocket);
    count_down_carry(rocket);
}

void run_frame_body() {
    shimmer_water();
    move_rocket(rockets[0]);
    move_rocket(rockets[1]);
    rocket_turn(0);
    rocket_turn(1);
    update_actors();
    rocket_collision(rockets[0], rockets[1]);
    update_shots();
    update_camera(cameras[0], rockets[0]);
    update_camera(cameras[1], rockets[1]);
    draw_world();
}
