#pragma once

struct Actor;

// What a state does every frame besides running on its timer.
enum ActorBehaviour : unsigned char {
    behaviour_none,
    behaviour_swimmer,
    behaviour_bomb,
    behaviour_hopper,
    behaviour_carrier,
};

// One row of the fixed state table every animated thing runs on.
struct ActorState {
    int frame;    // "Zorbo.dat" object drawn
    int duration; // frames
    bool restore; // the drawn rectangle is restored from the background
    int next;
    ActorBehaviour behaviour;
};

constexpr int actor_state_count = 84;
extern const ActorState actor_states[actor_state_count];

// What an actor does between moving on to its next state and starting that
// state's timer. Its timer is 0 exactly in the frame its state has just
// changed, so a step can tell a fresh state from a continuing one.
using ActorStep = void (*)(Actor& actor);

// The match's step: the behaviour of the actor's state, if it has one.
void run_state_behaviour(Actor& actor);

// Once a frame for every actor: count down, move on to the next state, let
// step act (the match's creatures by default; the credits move their
// figures themselves; nullptr for the table alone), and start the new
// state's timer.
void update_actors(ActorStep step = run_state_behaviour);
