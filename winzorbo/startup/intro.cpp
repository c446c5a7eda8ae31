#include "startup/intro.h"

#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/program_version.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"

#include <algorithm>
#include <allegro.h>
#include <string>

namespace {
constexpr int background_colour = 239;

// Busy-waits (as every screen of the game does) until a key is waiting or the
// 100 ms counter reaches ticks.
void wait_for_key_or(int ticks) {
    while (!keypressed() && !close_requested() && frame_counter.load() < ticks) {
        rest(1);
    }
}

RGB* palette_object(int index) {
    return zorbo_object<RGB>(index);
}
} // namespace

void draw_version(BITMAP* target) {
    // Kept on the screen whatever the font's width: the mark is read at the
    // bottom right, and a cut-off number looks like a fault.
    static const std::string version = std::string("version ") + program_version();
    int x = std::min(520, 636 - text_length(game_font, version.c_str()));
    textout_ex(target, game_font, version.c_str(), x, 460, 233, -1);
}

void run_intro() {
    clear_to_color(surface, background_colour);
    fade_out(64);
    frame_counter = 0;

    blit(zorbo_object<BITMAP>(obj_intro), surface, 0, 0, 0, 14, 640, 451);
    clear_keybuf();
    fade_in(palette_object(obj_palette_intro), 4);
    wait_for_key_or(30);
    fade_out(keypressed() ? 64 : 4);
    clear_keybuf();
    frame_counter = 0;

    clear_to_color(surface, background_colour);
    blit(zorbo_object<BITMAP>(obj_title), surface, 0, 0, 0, 40, 640, 400);
    clear_keybuf();
    fade_in_range(palette_object(obj_palette_title), 4, 0, 223);
    wait_for_key_or(40);
    draw_version(surface);
    int speed = keypressed() ? 64 : 3;
    fade_from_range(palette_object(obj_palette_title), palette_object(obj_palette_menu), speed, 0,
                    223);
}
