#pragma once

#include <cstdint>

// The random source of effects, colours, positions and the random effect
// choice, over the C library generator of this thread. Next() returns a value
// from low to high + 1: high + 1 comes up only when rand() returns its
// largest value, so a caller indexing with it must allow for that.
class CRandomRange {
public:
    // A seed of 0 takes the current time in seconds.
    explicit CRandomRange(std::uint32_t seed);

    // Both 0 restores 0 to 32767; otherwise low must be less than high, else
    // the range stays and the result is false.
    bool SetRange(int low, int high);
    int Next();

    int Low() const { return low; }
    int High() const { return high; }

private:
    int low = 0;
    int high = 32767;
    double factor = 32768.0 / 32767.0;
};

// Milliseconds since the system started, the seed of many draws.
std::uint32_t TickCount();
