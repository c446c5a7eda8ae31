#include "screens/credits.h"

#include "actors/actor_states.h"
#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"
#include "menus/game_menus.h"
#include "playfield/playfield_state.h"
#include "sound/sound_layer.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <fstream>

namespace {
constexpr int entry_frames = 120;
constexpr int final_wait = 900;
constexpr std::size_t heading_limit = 79;
constexpr std::size_t max_credits_size = 1 << 20;

constexpr int walker_top = 46;    // swimming left along the top
constexpr int walker_bottom = 74; // walking right along the bottom
constexpr int walker_rest = 76;

bool ending() {
    return keypressed() || close_requested();
}

void add_figure(int x, int y, int state, int timer) {
    if (actor_count < max_actors) {
        actors[actor_count++] = Actor{x, y, timer, state, 0};
    }
}

// The state table alone animates the figures (the creatures' behaviours
// would turn them about); the credits move them a step whenever a figure's
// state moves on.
void move_figures(BITMAP* work) {
    int before[2] = {};
    for (int i = 0; i < actor_count && i < 2; ++i) {
        before[i] = actors[i].state;
    }
    update_actors(nullptr);
    for (int i = 0; i < actor_count && i < 2; ++i) {
        Actor& figure = actors[i];
        if (figure.state != before[i]) {
            if (figure.state >= 46 && figure.state <= 49) {
                figure.x -= 2;
            } else if (figure.state == 74 || figure.state == 75) {
                figure.x += 2;
                if (figure.x == 340) {
                    figure.state = walker_rest;
                    figure.timer = actor_states[walker_rest].duration;
                }
            }
        }
        draw_rle_sprite(work, zorbo_object<RLE_SPRITE>(actor_states[figure.state].frame), figure.x,
                        figure.y);
    }
}

void show_entry(BITMAP* work, const std::string& heading, const std::string& entry) {
    for (int frame = 0; frame < entry_frames; ++frame) {
        textout_centre_ex(work, game_font, heading.c_str(), 320, 150, 254, -1);
        textout_centre_ex(work, game_font, entry.c_str(), 320, 230, 252, -1);
        while (frame_counter.load() <= 9 && !ending()) {
            wait_a_moment();
        }
        frame_counter = 0;
        move_figures(work);
        blit(work, surface, 0, 0, 0, 0, 640, 480);
        clear_bitmap(work);
    }
}
} // namespace

std::string load_credits_text() {
    std::ifstream file(data_path("credits.txt"), std::ios::binary);
    if (file) {
        // Far more than any credits need; a larger file is read that far.
        std::string content(max_credits_size, '\0');
        file.read(content.data(), static_cast<std::streamsize>(content.size()));
        content.resize(static_cast<std::size_t>(file.gcount()));
        return content;
    }
    const DATAFILE& builtin = zorbo_data[obj_credits];
    return std::string(static_cast<const char*>(builtin.dat),
                       static_cast<std::size_t>(builtin.size));
}

void roll_credits(const std::string& credits) {
    start_ticks(3);
    frame_counter = 0;
    BITMAP* work = create_bitmap(640, 480);
    clear_bitmap(work);
    actor_count = 0;
    int headings = 0;
    std::string heading;
    clear_keybuf();
    LineCutter lines(credits);
    while (!lines.at_end() && !ending()) {
        std::string swedish = lines.next_line();
        if (!swedish.empty() && swedish[0] == '&') {
            break;
        }
        std::string english = lines.at_end() ? std::string() : lines.next_line();
        const std::string& line = settings.language == language_swedish ? swedish : english;
        std::string rest = line.empty() ? std::string() : line.substr(1);
        char command = line.empty() ? ' ' : line[0];
        if (command == '-' || command == '1') {
            heading = rest.substr(0, heading_limit);
        }
        if (command == '-') {
            ++headings;
            if (headings == 1) {
                add_figure(644, 60, walker_top, 5);
            } else if (headings == 2) {
                add_figure(-20, 440, walker_bottom, 4);
            }
        } else if (command != '1') {
            show_entry(work, heading, rest);
        }
    }
    while (!ending() && frame_counter.load() < final_wait) {
        wait_a_moment();
    }
    destroy_bitmap(work);
    stop_ticks();
}

void run_credits() {
    const DATAFILE& music = zorbo_data[obj_music_credits];
    Song* song = song_load_memory(music.dat, music.size);
    song_set_master_volume(song, settings.music_volume);
    stop_menu_music();
    song_play(song);
    roll_credits(load_credits_text());
    song_free(song);
    play_menu_music();
}
