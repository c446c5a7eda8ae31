#pragma once

// One row of the fixed state table every animated thing runs on.
struct ActorState {
    int frame;    // "Zorbo.dat" object drawn
    int duration; // frames
    bool restore; // the drawn rectangle is restored from the background
    int next;
};

constexpr int actor_state_count = 84;
extern const ActorState actor_states[actor_state_count];

// Once a frame for every actor: count down, move on to the next state, and
// start the new state's timer.
void update_actors();
