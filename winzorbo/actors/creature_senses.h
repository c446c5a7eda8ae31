#pragma once

#include <cstdint>

struct Actor;
struct Rocket;

// What creatures look at and what touching one does. Every lookup is safe
// anywhere: outside the playfield the grid reads as open space and the
// solid mask as not clear, so a creature that wanders off the edge reads
// nothing outside either.

// The kind of the grid cell under world pixel (x, y) is kind.
bool cell_is(int x, int y, std::int32_t kind);

// The solid mask pixel at (x, y) is not 0.
bool mask_set(int x, int y);

// The rocket's corner is less than reach pixels from the actor's on both
// axes.
bool within_reach(const Rocket& rocket, const Actor& actor, int reach);

// The splash of a creature touching a rocket, not panned.
void creature_splash();
