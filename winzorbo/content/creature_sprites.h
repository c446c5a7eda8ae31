#pragma once

#include "content/sprite_sheet.h"

void draw_swimmers(SpriteSheet& sheet); // 5..11
void draw_hoppers(SpriteSheet& sheet);  // 31..37
void draw_bombs(SpriteSheet& sheet);    // 77..79
void draw_carriers(SpriteSheet& sheet); // 193..200
