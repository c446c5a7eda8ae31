#pragma once

struct Rocket;

// What the cell under the rocket's centre does to it (bumper kick, conveyor
// ride) or, elsewhere, landing and bouncing on the solid mask by the game
// style.
void apply_cell_effects(Rocket& rocket);

// The contact rules alone, by style.
void bouncy_contact(Rocket& rocket);
void strict_contact(Rocket& rocket, bool lenient);
