#include "scripted_player.h"

#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/waiting.h"
#include "playfield_fixture.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace {
// Enough of a keyboard driver for readkey() to read the buffer.
KEYBOARD_DRIVER scripted_keyboard = {};
ScriptedPlayer* active = nullptr;

// Ids whose text takes a number or a name.
bool takes_number(int id) {
    return (id >= 13 && id <= 16) || id == 21 || (id >= 23 && id <= 37);
}
bool takes_name(int id) {
    return (id >= 17 && id <= 19) || id == 38;
}
} // namespace

ScriptedPlayer::ScriptedPlayer() {
    load_built_zorbo_data();
    previous_settings_ = settings;
    previous_surface_ = surface;
    own_surface_ = create_bitmap(640, 480);
    clear_bitmap(own_surface_);
    surface = own_surface_;
    keyboard_driver = &scripted_keyboard;
    clear_keybuf();
    key[KEY_ESC] = 0;
    forget_close_request();
    frame_counter = 0;
    active = this;
    replace_wait_step(step);
}

ScriptedPlayer::~ScriptedPlayer() {
    replace_wait_step(nullptr);
    active = nullptr;
    clear_keybuf();
    key[KEY_ESC] = 0;
    keyboard_driver = nullptr;
    forget_close_request();
    surface = previous_surface_;
    destroy_bitmap(own_surface_);
    settings = previous_settings_;
}

void ScriptedPlayer::type(std::initializer_list<int> scancodes) {
    for (int scancode : scancodes) {
        script_.push_back(scancode);
    }
}

void ScriptedPlayer::step() {
    ScriptedPlayer& player = *active;
    ++frame_counter;
    ++player.waits;
    if (key[KEY_ESC]) {
        key[KEY_ESC] = 0;
        return;
    }
    if (player.on_wait) {
        player.on_wait();
    }
    // Escape just pressed ends a match; keys wait for the next screen.
    if (key[KEY_ESC] || keypressed()) {
        return;
    }
    if (player.script_.empty()) {
        if (player.close_when_out) {
            player.ran_out = true;
            request_close();
        }
        return;
    }
    int scancode = player.script_.front();
    player.script_.pop_front();
    simulate_keypress(scancode << 8);
}

MarkedTexts::MarkedTexts() : previous_(texts) {
    std::string table;
    for (int id = 0; id < text_id_count; ++id) {
        std::string argument = takes_number(id) ? " %i" : takes_name(id) ? " %s" : "";
        table += "S" + std::to_string(id) + argument + "\n";
        table += "E" + std::to_string(id) + argument + "\n";
    }
    fill_text_table(texts, table);
}

MarkedTexts::~MarkedTexts() {
    texts = previous_;
}

int count_colour(BITMAP* bitmap, int x, int y, int w, int h, int colour) {
    int count = 0;
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            count += getpixel(bitmap, column, row) == colour;
        }
    }
    return count;
}
