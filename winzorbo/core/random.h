#pragma once

// The C library generator the game's rules were tuned against: the classic
// 32-bit linear congruential sequence with 15-bit results. Seedable, so tests
// can replay placements that draw random numbers.
constexpr int zorbo_rand_max = 32767;

void zorbo_srand(unsigned int seed);
int zorbo_rand();
