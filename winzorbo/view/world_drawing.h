#pragma once

// Restores last frame's sprites, draws actors, rockets and shots into the
// world bitmap and copies both views to the surface.
void draw_world();

// F1: the whole screen shows the world, scrolled by either player's
// controls, until Escape or F1.
void run_map_view();

// The water colour drifts a little every sixth frame.
void reset_shimmer();
void shimmer_water();
