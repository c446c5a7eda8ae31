#pragma once

#include <allegro.h>

// The interface colours 224..255 shared by every screen.
void make_interface_palette(RGB* palette);

// The title picture (640x400) with its palette and the dimmed palette the
// menus show it with; the first intro picture (640x451) with its palette.
// Every palette carries the interface colours in 224..255 as well.
BITMAP* draw_title_picture(RGB* title_palette, RGB* menu_palette);
BITMAP* draw_intro_picture(RGB* intro_palette);
