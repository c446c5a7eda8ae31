#include "rocket/solid_mask_probe.h"

#include "playfield/playfield_state.h"

#include <allegro.h>

namespace {
int mask_pixel(int x, int y) {
    if (!solid_mask) {
        return -1;
    }
    return getpixel(solid_mask, x, y);
}
} // namespace

bool solid_at(int x, int y) {
    return mask_pixel(x, y) > 0;
}

bool mask_not_clear(int x, int y) {
    return mask_pixel(x, y) != 0;
}
