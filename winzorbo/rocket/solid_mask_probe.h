#pragma once

// Collision reads single pixels of the solid mask. Outside the mask the
// pixel reads as -1: not solid, yet not clear either.
bool solid_at(int x, int y);       // pixel above 0
bool mask_not_clear(int x, int y); // pixel not 0 (solid or outside)
