#include "core/random.h"

#include <cstdint>

namespace {
std::uint32_t state = 1;
}

void zorbo_srand(unsigned int seed) {
    state = seed;
}

int zorbo_rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fffu);
}
