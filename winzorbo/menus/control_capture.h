#pragma once

#include <string>

// Asks for all eight controls in a row, player 1 then 2, each left, right,
// gas, fire. Any key counts (Escape too: scancode 59); joystick buttons and
// stick directions count when a joystick is there.
void capture_all_controls();

// One control for player (1 or 2) under prompt; the screen comes back as it
// was. While the window is being closed the control keeps its old value.
int capture_control(const std::string& prompt, int player, int old_code);
