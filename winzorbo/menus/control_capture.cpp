#include "menus/control_capture.h"

#include "core/game_state.h"
#include "core/text_format.h"
#include "core/waiting.h"
#include "match/message_box.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <algorithm>
#include <allegro.h>

namespace {
constexpr std::size_t prompt_buffer = 80;

struct JoystickInput {
    int code = -1;
    const char* name = nullptr;
};

bool input_held(int j, int code) {
    int input = code - 1000 * (j + 1);
    const JOYSTICK_INFO& info = joy[j];
    if (input < 100) {
        return info.button[input].b != 0;
    }
    const JOYSTICK_AXIS_INFO& axis = info.stick[(input % 100) / 10].axis[input % 10];
    return (input < 200 ? axis.d1 : axis.d2) != 0;
}

// The first pressed button or pushed stick direction, joystick by joystick.
JoystickInput pressed_joystick_input() {
    if (poll_joystick() != 0 || num_joysticks <= 0) {
        return {};
    }
    for (int j = 0; j < num_joysticks && j < MAX_JOYSTICKS; ++j) {
        const JOYSTICK_INFO& info = joy[j];
        int base = 1000 * (j + 1);
        for (int b = 0; b < info.num_buttons && b < MAX_JOYSTICK_BUTTONS; ++b) {
            if (info.button[b].b) {
                return {base + b, info.button[b].name};
            }
        }
        for (int s = 0; s < info.num_sticks && s < MAX_JOYSTICK_STICKS; ++s) {
            for (int a = 0; a < info.stick[s].num_axis && a < MAX_JOYSTICK_AXIS; ++a) {
                const JOYSTICK_AXIS_INFO& axis = info.stick[s].axis[a];
                if (axis.d1) {
                    return {base + 100 + 10 * s + a, axis.name};
                }
                if (axis.d2) {
                    return {base + 200 + 10 * s + a, axis.name};
                }
            }
        }
    }
    return {};
}

void wait_for_release(const JoystickInput& input) {
    int j = input.code / 1000 - 1;
    while (poll_joystick() == 0 && input_held(j, input.code) && !close_requested()) {
        wait_a_moment();
    }
}
} // namespace

int capture_control(const std::string& prompt, int player, int old_code) {
    BITMAP* saved = create_bitmap(640, 480);
    blit(surface, saved, 0, 0, 0, 0, 640, 480);
    const std::string& heading = text(12);
    int w =
        std::max(text_length(game_font, heading.c_str()), text_length(game_font, prompt.c_str()));
    int colour = player == 1 ? 230 : 224;
    rectfill(surface, 321 - (w / 2 + 20), 160, w / 2 + 339, 240, colour);
    rect(surface, 321 - (w / 2 + 20), 160, w / 2 + 339, 240, 254);
    shadowed_text(heading.c_str(), 320, 180);
    shadowed_text(prompt.c_str(), 320, 200);
    clear_keybuf();
    int code = old_code;
    for (;;) {
        if (keypressed()) {
            int scancode = readkey() >> 8;
            if (scancode != 0) {
                code = scancode;
                break;
            }
            continue;
        }
        if (close_requested()) {
            break;
        }
        JoystickInput input = pressed_joystick_input();
        if (input.code >= 0) {
            shadowed_text(input.name ? input.name : "", 320, 260);
            wait_for_release(input);
            code = input.code;
            break;
        }
        wait_a_moment();
    }
    blit(saved, surface, 0, 0, 0, 0, 640, 480);
    destroy_bitmap(saved);
    return code;
}

void capture_all_controls() {
    for (int player = 1; player <= 2; ++player) {
        for (int action = action_left; action <= action_fire; ++action) {
            std::string prompt = format_text(text(13 + action), player, prompt_buffer);
            int& control = settings.controls[action][player - 1];
            control = capture_control(prompt, player, control);
        }
    }
}
