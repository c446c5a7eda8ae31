#pragma once

#include <chrono>
#include <cstdint>

// The calibrated wait of animations: (1 - setting / scale) x scale / 100000
// seconds, counted in polls of the stop event so that the count measured at
// start-up (polls per second) sets the pace. Returns the number of polls:
// trunc((1 - setting / scale) x count x scale x 0.00001), at most 0xFFFFFFFF,
// and 0 when the formula goes negative (a setting above its scale).
std::uint32_t CalibratedPollCount(double setting, double scale, std::uint32_t count);

// The same wait as a duration: polls / count seconds; none for a count of 0.
std::chrono::nanoseconds CalibratedWaitTime(double setting, double scale, std::uint32_t count);
