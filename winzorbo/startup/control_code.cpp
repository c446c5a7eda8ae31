#include "startup/control_code.h"

#include <allegro.h>

namespace {
bool joystick_input_active(int joystick, int input) {
    if (joystick >= num_joysticks || joystick >= MAX_JOYSTICKS) {
        return false;
    }
    const JOYSTICK_INFO& info = joy[joystick];
    if (input < 100) {
        return input < info.num_buttons && input < MAX_JOYSTICK_BUTTONS &&
               info.button[input].b != 0;
    }
    if (input >= 300) {
        return false;
    }
    int stick = (input % 100) / 10;
    int axis = input % 10;
    if (stick >= info.num_sticks || stick >= MAX_JOYSTICK_STICKS ||
        axis >= info.stick[stick].num_axis || axis >= MAX_JOYSTICK_AXIS) {
        return false;
    }
    const JOYSTICK_AXIS_INFO& axis_info = info.stick[stick].axis[axis];
    return (input < 200 ? axis_info.d1 : axis_info.d2) != 0;
}
} // namespace

bool control_active(int code) {
    if (code < 0) {
        return false;
    }
    if (code < 1000) {
        return code < KEY_MAX && key[code] != 0;
    }
    return joystick_input_active(code / 1000 - 1, code % 1000);
}
