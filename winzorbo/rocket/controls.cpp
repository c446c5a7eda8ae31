#include "rocket/controls.h"

#include "playfield/rocket.h"
#include "startup/control_code.h"

#include <allegro.h>

namespace {
int scripted[2] = {-1, -1};
}

void script_controls(int player, int bits) {
    scripted[player] = bits;
}

void read_controls(int player) {
    Rocket& rocket = rockets[player];
    if (scripted[player] >= 0) {
        rocket.input = scripted[player] & 15;
        return;
    }
    rocket.input = 0;
    poll_joystick();
    if (control_active(rocket.fire)) {
        rocket.input |= 1;
    }
    if (control_active(rocket.gas)) {
        rocket.input |= 2;
    }
    if (control_active(rocket.right)) {
        rocket.input |= 4;
    }
    if (control_active(rocket.left)) {
        rocket.input |= 8;
    }
}
