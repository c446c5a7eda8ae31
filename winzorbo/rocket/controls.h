#pragma once

// This frame's input bits of player p (0 or 1): 1 fire, 2 gas, 4 right,
// 8 left, from the keys and joystick inputs the player chose, or from the
// script when one is set.
void read_controls(int player);

// Replays and tests drive the rockets with fixed bits in place of the
// keyboard; -1 goes back to the real controls.
void script_controls(int player, int bits);
