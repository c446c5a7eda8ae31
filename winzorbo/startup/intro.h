#pragma once

#include <allegro.h>

// The version mark at the bottom right of the title picture.
void draw_version(BITMAP* target);

// The two intro pictures with their fades; a key shortens each wait and
// speeds up the fade that follows.
void run_intro();
