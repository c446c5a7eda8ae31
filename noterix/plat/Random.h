#pragma once

#include <cstdint>

namespace plat {

// The C library generator the program was designed around: the linear
// congruential sequence 214013 / 2531011 with 15-bit results, so that every
// "rand() mod N" picks what it always picked. One per thread, seed 1 until
// Seed is called.
class Random {
public:
    static constexpr int Max = 32767;
    static void Seed(std::uint32_t seed);
    static int Next();
};

} // namespace plat
