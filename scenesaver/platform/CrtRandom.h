#pragma once

// The C library random generator with the sequence of the Windows C library:
// state = state * 214013 + 2531011 (mod 2^32), results are bits 16 to 30 of
// the new state. Stored password forms and every "rand() mod N" of scene
// playback depend on exactly this sequence. Each thread has its own state,
// seeded with 1, as the Windows C library keeps it per thread.

inline constexpr int CRT_RAND_MAX = 32767;

void crt_srand(unsigned int seed);
int crt_rand();
