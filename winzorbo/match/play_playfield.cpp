#include "match/play_playfield.h"

#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/waiting.h"
#include "match/match_flow.h"
#include "match/match_state.h"
#include "match/message_box.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "sound/sound_layer.h"
#include "startup/settings.h"
#include "startup/text_table.h"
#include "view/world_drawing.h"

#include <allegro.h>
#include <cstdio>

namespace {
Song* start_playfield_song() {
    // Only a binary object can hold a module; anything else in its place
    // gives a silent match.
    if (!playfield_data || playfield_data[0].type != DAT_DATA) {
        return nullptr;
    }
    Song* song = song_load_memory(playfield_data[0].dat, playfield_data[0].size);
    if (song) {
        song_set_master_volume(song, settings.music_volume);
        song_play(song);
    }
    return song;
}

void pause_match(Song* song) {
    song_set_paused(song, 1);
    message_box(text(20).c_str(), nullptr);
    song_set_paused(song, 0);
}

void wait_for_frame_end() {
    while (frame_counter.load() < 10) {
        wait_a_moment();
    }
}
} // namespace

void handle_match_keys(Song* song) {
    if (key[KEY_F1]) {
        run_map_view();
    } else if (key[KEY_F8]) {
        save_screenshot();
    } else if (key[KEY_P]) {
        pause_match(song);
    }
}

bool save_screenshot() {
    for (int i = 0; i < 100; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "dump%02i.pcx", i);
        if (!exists(name)) {
            PALETTE palette;
            get_palette(palette);
            return save_bitmap(name, surface, palette) == 0;
        }
    }
    return false;
}

void play_playfield(int totals[2], int target) {
    begin_match(totals, target);
    Song* song = start_playfield_song();
    bool aborted = false;
    while (prepare_frame()) {
        frame_counter = 0;
        if (key[KEY_ESC] || close_requested()) {
            aborted = true;
            break;
        }
        handle_match_keys(song);
        run_frame_body();
        wait_for_frame_end();
    }
    // Nothing after the match needs the 3 ms tick; the next screen sets its
    // own rate.
    remove_int(tick);
    if (!aborted) {
        clear_bitmap(surface);
    }
    song_stop(song);
    song_free(song);
    while (key[KEY_ESC] && !close_requested()) {
        wait_a_moment();
    }
    release_playfield();
    totals[0] += rockets[0].score;
    totals[1] += rockets[1].score;
}
