#include "actors/actor_states.h"

#include "actors/creatures.h"
#include "playfield/playfield_state.h"

namespace {
// Short names for the behaviour column, so each row stays one table row.
constexpr ActorBehaviour none = behaviour_none;
constexpr ActorBehaviour swim = behaviour_swimmer;
constexpr ActorBehaviour bomb = behaviour_bomb;
constexpr ActorBehaviour hop = behaviour_hopper;
constexpr ActorBehaviour carry = behaviour_carrier;
} // namespace

// clang-format off
const ActorState actor_states[actor_state_count] = {
    // conveyor running left, right
    {187, 1, false, 1, none}, {188, 1, false, 2, none}, {189, 1, false, 0, none},
    {190, 1, false, 4, none}, {191, 1, false, 5, none}, {192, 1, false, 3, none},
    // water edge seen from above, from below
    {43, 4, true, 7, none}, {44, 4, true, 8, none}, {45, 4, true, 9, none},
    {46, 4, true, 10, none}, {47, 4, true, 11, none}, {48, 4, true, 6, none},
    {49, 4, true, 13, none}, {50, 4, true, 14, none}, {51, 4, true, 15, none},
    {52, 4, true, 16, none}, {53, 4, true, 17, none}, {54, 4, true, 12, none},
    // bumpers 0..7: at rest, kicking
    {55, 1999, true, 18, none}, {56, 6, true, 18, none},
    {57, 2999, true, 20, none}, {58, 6, true, 20, none},
    {59, 3999, true, 22, none}, {60, 6, true, 22, none},
    {61, 4999, true, 24, none}, {62, 6, true, 24, none},
    {63, 1599, true, 26, none}, {64, 6, true, 26, none},
    {65, 2599, true, 28, none}, {66, 6, true, 28, none},
    {67, 3599, true, 30, none}, {68, 6, true, 30, none},
    {69, 4599, true, 32, none}, {70, 6, true, 32, none},
    // flags of bases 0, 1, 2
    {12, 4, true, 35, none}, {13, 4, true, 36, none},
    {14, 3, true, 37, none}, {13, 4, true, 34, none},
    {15, 4, true, 39, none}, {16, 4, true, 40, none},
    {17, 4, true, 41, none}, {16, 3, true, 38, none},
    {18, 4, true, 43, none}, {19, 4, true, 44, none},
    {20, 3, true, 45, none}, {19, 3, true, 42, none},
    // swimmer: left, right, turning
    {5, 5, true, 47, swim}, {6, 2, true, 48, swim}, {5, 5, true, 49, swim}, {7, 2, true, 46, swim},
    {9, 5, true, 51, swim}, {10, 2, true, 52, swim},
    {9, 5, true, 53, swim}, {11, 2, true, 50, swim},
    {8, 3, true, 46, swim}, {8, 3, true, 50, swim},
    // ornament
    {86, 1200, true, 57, none}, {90, 15, true, 58, none}, {87, 15, true, 59, none},
    {88, 10, true, 60, none}, {89, 14, true, 61, none}, {88, 4, true, 56, none},
    // bomb: falling, lying, blast, after the blast, moving
    {77, 4, true, 62, bomb}, {77, 200, true, 64, bomb},
    {78, 10, true, 65, bomb}, {79, 1, false, 66, bomb},
    {77, 1, true, 62, bomb},
    // hopper
    {31, 200, true, 68, hop}, {32, 4, true, 67, hop},
    {33, 10, true, 67, hop}, {34, 7, true, 67, hop},
    {35, 1, true, 67, hop}, {36, 7, true, 67, hop}, {37, 7, true, 67, hop},
    // carrier: right, resting right, jumping, falling; the same leftward
    {193, 4, true, 75, carry}, {194, 4, true, 74, carry},
    {195, 60, true, 74, carry}, {196, 2, true, 77, carry},
    {193, 2, true, 78, carry},
    {197, 4, true, 80, carry}, {198, 4, true, 79, carry},
    {199, 60, true, 79, carry}, {200, 2, true, 82, carry},
    {197, 2, true, 83, carry},
};
// clang-format on

void run_state_behaviour(Actor& actor) {
    switch (actor_states[actor.state].behaviour) {
    case behaviour_swimmer:
        swimmer_behaviour(actor);
        break;
    case behaviour_bomb:
        bomb_behaviour(actor);
        break;
    case behaviour_hopper:
        hopper_behaviour(actor);
        break;
    case behaviour_carrier:
        carrier_behaviour(actor);
        break;
    case behaviour_none:
        break;
    }
}

void update_actors(ActorStep step) {
    for (int i = 0; i < actor_count; ++i) {
        Actor& actor = actors[i];
        if (actor.state < 0 || actor.state >= actor_state_count) {
            continue;
        }
        actor.timer -= 1;
        if (actor.timer == 0) {
            actor.state = actor_states[actor.state].next;
        }
        if (step) {
            step(actor);
            if (actor.state < 0 || actor.state >= actor_state_count) {
                continue;
            }
        }
        if (actor.timer < 1) {
            actor.timer = actor_states[actor.state].duration;
        }
    }
}
