#include "menus/volume_panel.h"

#include "core/game_state.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"
#include "menus/game_menus.h"
#include "sound/game_sounds.h"
#include "sound/sound_layer.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <algorithm>
#include <allegro.h>

namespace {
constexpr int panel_colour = 1;
constexpr int bright = 254;
constexpr int dim = 252;

void draw_rows(int row) {
    int m = settings.music_volume / 2;
    int s = settings.effect_volume / 2;
    int music_colour = row == 0 ? bright : dim;
    int effect_colour = row == 0 ? dim : bright;
    textout_ex(surface, game_font, text(10).c_str(), 130, 180, music_colour, -1);
    textout_ex(surface, game_font, text(11).c_str(), 130, 204, effect_colour, -1);
    hline(surface, 340, 199, 488, music_colour);
    hline(surface, 340, 222, 488, effect_colour);
    auto* knob = zorbo_object<RLE_SPRITE>(obj_volume_knob);
    if (row == 0) {
        draw_rle_sprite(surface, knob, 340 + m, 179);
        vline(surface, 350 + s, 202, 220, dim);
    } else {
        vline(surface, 350 + m, 179, 196, dim);
        draw_rle_sprite(surface, knob, 340 + s, 202);
        play_game_sound(sound_hit);
    }
}

void erase_knobs() {
    int m = settings.music_volume / 2;
    int s = settings.effect_volume / 2;
    rectfill(surface, 340 + m, 179, 360 + m, 198, panel_colour);
    rectfill(surface, 340 + s, 202, 360 + s, 221, panel_colour);
}
} // namespace

void run_volume_panel() {
    rectfill(surface, 100, 140, 539, 240, panel_colour);
    rect(surface, 99, 140, 540, 240, bright);
    textout_centre_ex(surface, game_font, text(9).c_str(), 320, 150, bright, -1);
    clear_keybuf();
    int row = 0;
    for (;;) {
        draw_rows(row);
        int scancode = wait_for_scancode();
        erase_knobs();
        int& volume = row == 0 ? settings.music_volume : settings.effect_volume;
        switch (scancode) {
        case -1:
        case KEY_ESC:
        case KEY_ENTER:
        case KEY_SPACE:
        case KEY_ENTER_PAD:
            return;
        case KEY_LEFT:
            volume = std::max(volume - 4, 0);
            break;
        case KEY_RIGHT:
            volume = std::min(volume + 4, 255);
            break;
        case KEY_UP:
        case KEY_DOWN:
            row = 1 - row;
            break;
        default:
            break;
        }
        sound_set_sfx_master_volume(settings.effect_volume);
        song_set_master_volume(menu_song, settings.music_volume);
    }
}
