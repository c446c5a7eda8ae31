#pragma once

#include "playfield/playfield_state.h"
#include "shots/shots.h"

// The rectangles drawn into the world bitmap this frame, restored from the
// background at the start of the next. Room for everything one frame can
// draw: every actor, both rockets and every shot.
constexpr int dirty_capacity = max_actors + 2 + shot_slots;

struct DirtyList {
    int count = 0;
    int x[dirty_capacity];
    int y[dirty_capacity];
    int w[dirty_capacity];
    int h[dirty_capacity];
    // Should more ever be added than the list holds, the whole world is
    // restored instead.
    bool overflowed = false;
};

extern DirtyList dirty_list;

void add_dirty(int x, int y, int w, int h);

// Copies every listed rectangle (or the whole bitmap after an overflow) from
// background to world and empties the list.
struct BITMAP;
void restore_dirty(BITMAP* background, BITMAP* world);
