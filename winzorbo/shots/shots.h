#pragma once

struct Rocket;

// A 2x2 shot; a slot is active while its y is not 0.
struct Shot {
    int x = 0;
    int y = 0;
    double vx = 0.0;
    double vy = 0.0;
};

constexpr int shot_slots = 64;

// One ring for both players. The cursor is never reset: each new shot goes
// into the slot after it and overwrites whatever flies there.
extern Shot shots[shot_slots];
extern int shot_cursor;
// The channel of the last shot-hit sound, stopped before the next one.
extern int hit_channel;

void clear_shots();

// Fire bit held and ammunition left: one shot along the nose.
void fire_shot(Rocket& rocket);

// Flight, medium, removal on scenery and hits on either rocket.
void update_shots();

// A rocket whose core touches scenery is destroyed (not in the bouncy
// style); player 0 or 1 for the sound's side.
void crash_test(Rocket& rocket, int player);

// Rockets overlapping each other hurt each other and bounce apart.
void rocket_collision(Rocket& first, Rocket& second);

void count_down_carry(Rocket& rocket);
