#pragma once

// Marks a pixel loop that the compiler vectorises so that it also gets an
// AVX2 version, picked once at start-up on processors that have it. Besides
// being twice as wide, that version is immune to a trap: Qt's own AVX routines
// can leave the upper halves of the vector registers in use, and until they
// are cleared every plain SSE instruction pays for merging them (seen: fades
// four times slower after the first QImage::fill).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VECTOR_CLONES
#endif
