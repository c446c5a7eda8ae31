#include "scene/Timing.h"

#include <cmath>

std::uint32_t CalibratedPollCount(double setting, double scale, std::uint32_t count) {
    if (scale == 0.0) {
        return 0;
    }
    const double polls = std::trunc((1.0 - setting / scale) * count * scale * 0.00001);
    if (!(polls > 0.0)) {
        return 0;
    }
    if (polls >= 4294967295.0) {
        return 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(polls);
}

std::chrono::nanoseconds CalibratedWaitTime(double setting, double scale, std::uint32_t count) {
    const std::uint32_t polls = CalibratedPollCount(setting, scale, count);
    if (count == 0 || polls == 0) {
        return std::chrono::nanoseconds(0);
    }
    const double seconds = static_cast<double>(polls) / count;
    return std::chrono::nanoseconds(static_cast<std::int64_t>(seconds * 1e9));
}
