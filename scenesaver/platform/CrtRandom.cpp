#include "platform/CrtRandom.h"

#include <cstdint>

namespace {
thread_local std::uint32_t state = 1;
}

void crt_srand(unsigned int seed) {
    state = seed;
}

int crt_rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}
