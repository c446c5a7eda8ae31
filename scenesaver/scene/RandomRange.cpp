#include "scene/RandomRange.h"

#include "platform/CrtRandom.h"

#include <chrono>
#include <cmath>
#include <ctime>

CRandomRange::CRandomRange(std::uint32_t seed) {
    if (seed == 0) {
        seed = static_cast<std::uint32_t>(std::time(nullptr));
    }
    crt_srand(seed);
    crt_srand((seed << 8) | (static_cast<std::uint32_t>(crt_rand()) & 0xFF));
}

bool CRandomRange::SetRange(int newLow, int newHigh) {
    if (newLow == 0 && newHigh == 0) {
        newHigh = CRT_RAND_MAX;
    } else if (!(newLow < newHigh)) {
        return false;
    }
    low = newLow;
    high = newHigh;
    factor = (static_cast<double>(high) + 1.0 - low) / CRT_RAND_MAX;
    return true;
}

int CRandomRange::Next() {
    return static_cast<int>(std::trunc(crt_rand() * factor)) + low;
}

std::uint32_t TickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
