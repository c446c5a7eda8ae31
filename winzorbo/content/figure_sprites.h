#pragma once

#include "content/sprite_sheet.h"

// The two pilots of the results screen, cheering and sulking.
void draw_player2_figures(SpriteSheet& sheet); // 25..30
void draw_player1_figures(SpriteSheet& sheet); // 38..42
