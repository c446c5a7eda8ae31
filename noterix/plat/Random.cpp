#include "plat/Random.h"

namespace plat {

namespace {
thread_local std::uint32_t state = 1;
} // namespace

void Random::Seed(std::uint32_t seed) {
    state = seed;
}

int Random::Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

} // namespace plat
