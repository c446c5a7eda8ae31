#include "view/dirty_list.h"

#include <allegro.h>

DirtyList dirty_list;

void add_dirty(int x, int y, int w, int h) {
    if (dirty_list.count >= dirty_capacity) {
        dirty_list.overflowed = true;
        return;
    }
    int i = dirty_list.count++;
    dirty_list.x[i] = x;
    dirty_list.y[i] = y;
    dirty_list.w[i] = w;
    dirty_list.h[i] = h;
}

void restore_dirty(BITMAP* background, BITMAP* world) {
    if (dirty_list.overflowed) {
        blit(background, world, 0, 0, 0, 0, background->w, background->h);
    } else {
        for (int i = 0; i < dirty_list.count; ++i) {
            blit(background, world, dirty_list.x[i], dirty_list.y[i], dirty_list.x[i],
                 dirty_list.y[i], dirty_list.w[i], dirty_list.h[i]);
        }
    }
    dirty_list.count = 0;
    dirty_list.overflowed = false;
}
