#pragma once

#include "playfield/playfield_state.h"

// A playfield made in memory for rule tests: all cells open, an empty solid
// mask and world bitmaps of the right size, a memory surface, no actors.
// Cells are made solid, wet or special one by one.
class TestField {
public:
    TestField(int width, int height);
    ~TestField();
    TestField(const TestField&) = delete;
    TestField& operator=(const TestField&) = delete;

    void solid(int column, int row);
    void solid_row(int row, int from, int to);
    void kind(int column, int row, std::int32_t kind, std::int32_t aux = 0);
    int add_actor(int x, int y, int state, int timer);
};
