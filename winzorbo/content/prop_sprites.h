#pragma once

#include "content/sprite_sheet.h"

// Flags, signs, water edges, bumpers, goo, conveyors, menu arrows and
// ornaments, each in object order.
void draw_flags(SpriteSheet& sheet);       // 12..20
void draw_signs(SpriteSheet& sheet);       // 21..23
void draw_waves(SpriteSheet& sheet);       // 43..54
void draw_bumpers(SpriteSheet& sheet);     // 55..70
void draw_goo(SpriteSheet& sheet);         // 73..76
void draw_menu_arrows(SpriteSheet& sheet); // 84, 85
void draw_ornaments(SpriteSheet& sheet);   // 86..90
void draw_conveyors(SpriteSheet& sheet);   // 187..192
