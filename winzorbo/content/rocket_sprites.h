#pragma once

#include <allegro.h>

// The rocket of player 1 (0) or 2 (1) pointing in direction d (0 up, 15
// degrees clockwise per step), with or without its flame; 20x20.
BITMAP* draw_rocket(int player, int direction, bool flame);

// What is left of a destroyed rocket; 20x20.
BITMAP* draw_wreck(int player);
