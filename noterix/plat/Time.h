#pragma once

#include "plat/String.h"

#include <cstdint>

namespace plat {

// A time stamp: signed 32-bit seconds since 1970-01-01 00:00 UTC, which is
// what the notes file and the rest of the program hold. Conversions work in
// 64 bits and refuse results that do not fit.
class Time {
public:
    Time() = default;
    explicit Time(std::int32_t seconds) : seconds_(seconds) {}

    static Time Now();
    // Local calendar time to a stamp; false when the date is not valid or
    // lies outside the 32-bit range.
    static bool FromLocal(int year, int month, int day, int hour, int minute, int second,
                          Time& out);
    static bool IsValidDate(std::uint32_t year, std::uint32_t month, std::uint32_t day);

    // strftime over the local time. The result is whole however long it gets.
    String Format(const char* format) const;

    std::int32_t Seconds() const { return seconds_; }
    bool operator==(const Time& other) const { return seconds_ == other.seconds_; }

private:
    std::int32_t seconds_ = 0;
};

} // namespace plat
