#include "core/game_state.h"

#include <allegro.h>

DATAFILE* zorbo_data = nullptr;
BITMAP* surface = nullptr;
FONT* game_font = nullptr;

template <typename T>
T* zorbo_object(int index) {
    return static_cast<T*>(zorbo_data[index].dat);
}

template BITMAP* zorbo_object<BITMAP>(int);
template RLE_SPRITE* zorbo_object<RLE_SPRITE>(int);
template RGB* zorbo_object<RGB>(int);
template FONT* zorbo_object<FONT>(int);
template void* zorbo_object<void>(int);
