#include "actors/actor_states.h"

#include "playfield/playfield_state.h"

// clang-format off
const ActorState actor_states[actor_state_count] = {
    // conveyor running left, right
    {187, 1, false, 1}, {188, 1, false, 2}, {189, 1, false, 0},
    {190, 1, false, 4}, {191, 1, false, 5}, {192, 1, false, 3},
    // water edge seen from above, from below
    {43, 4, true, 7}, {44, 4, true, 8}, {45, 4, true, 9},
    {46, 4, true, 10}, {47, 4, true, 11}, {48, 4, true, 6},
    {49, 4, true, 13}, {50, 4, true, 14}, {51, 4, true, 15},
    {52, 4, true, 16}, {53, 4, true, 17}, {54, 4, true, 12},
    // bumpers 0..7: at rest, kicking
    {55, 1999, true, 18}, {56, 6, true, 18},
    {57, 2999, true, 20}, {58, 6, true, 20},
    {59, 3999, true, 22}, {60, 6, true, 22},
    {61, 4999, true, 24}, {62, 6, true, 24},
    {63, 1599, true, 26}, {64, 6, true, 26},
    {65, 2599, true, 28}, {66, 6, true, 28},
    {67, 3599, true, 30}, {68, 6, true, 30},
    {69, 4599, true, 32}, {70, 6, true, 32},
    // flags of bases 0, 1, 2
    {12, 4, true, 35}, {13, 4, true, 36}, {14, 3, true, 37}, {13, 4, true, 34},
    {15, 4, true, 39}, {16, 4, true, 40}, {17, 4, true, 41}, {16, 3, true, 38},
    {18, 4, true, 43}, {19, 4, true, 44}, {20, 3, true, 45}, {19, 3, true, 42},
    // swimmer: left, right, turning
    {5, 5, true, 47}, {6, 2, true, 48}, {5, 5, true, 49}, {7, 2, true, 46},
    {9, 5, true, 51}, {10, 2, true, 52}, {9, 5, true, 53}, {11, 2, true, 50},
    {8, 3, true, 46}, {8, 3, true, 50},
    // ornament
    {86, 1200, true, 57}, {90, 15, true, 58}, {87, 15, true, 59},
    {88, 10, true, 60}, {89, 14, true, 61}, {88, 4, true, 56},
    // bomb: falling, lying, blast, after the blast, moving
    {77, 4, true, 62}, {77, 200, true, 64}, {78, 10, true, 65}, {79, 1, false, 66},
    {77, 1, true, 62},
    // hopper
    {31, 200, true, 68}, {32, 4, true, 67}, {33, 10, true, 67}, {34, 7, true, 67},
    {35, 1, true, 67}, {36, 7, true, 67}, {37, 7, true, 67},
    // carrier: right, resting right, jumping, falling; the same leftward
    {193, 4, true, 75}, {194, 4, true, 74}, {195, 60, true, 74}, {196, 2, true, 77},
    {193, 2, true, 78},
    {197, 4, true, 80}, {198, 4, true, 79}, {199, 60, true, 79}, {200, 2, true, 82},
    {197, 2, true, 83},
};
// clang-format on

void update_actors() {
    for (int i = 0; i < actor_count; ++i) {
        Actor& actor = actors[i];
        if (actor.state < 0 || actor.state >= actor_state_count) {
            continue;
        }
        actor.timer -= 1;
        if (actor.timer == 0) {
            actor.state = actor_states[actor.state].next;
        }
        if (actor.timer < 1) {
            actor.timer = actor_states[actor.state].duration;
        }
    }
}
