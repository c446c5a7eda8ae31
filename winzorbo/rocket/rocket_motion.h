#pragma once

struct Rocket;

// Round set-up (full: ammunition refilled too) or respawn.
void reset_rocket(Rocket& rocket, bool full);

// Gravity, buoyancy and drag for the medium under the rocket, then the move.
void move_rocket(Rocket& rocket);

// Turning by the left and right bits, one step a frame, not while landed.
void rotate_rocket(Rocket& rocket);

// The gas bit pushes along the nose and lights the flame.
void thrust_rocket(Rocket& rocket);

// Leaving one side of the playfield comes back at the other.
void wrap_rocket(Rocket& rocket);
