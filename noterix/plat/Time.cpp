#include "plat/Time.h"

#include <ctime>
#include <limits>
#include <vector>

namespace plat {

namespace {
std::int32_t Saturate(std::int64_t seconds) {
    if (seconds > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (seconds < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(seconds);
}
} // namespace

Time Time::Now() {
    // Past 2038 the stamp holds at its largest value instead of wrapping
    // round to 1901.
    return Time(Saturate(static_cast<std::int64_t>(std::time(nullptr))));
}

bool Time::IsValidDate(std::uint32_t year, std::uint32_t month, std::uint32_t day) {
    static constexpr std::uint32_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) {
        return false;
    }
    std::uint32_t length = lengths[month - 1];
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && leap) {
        length = 29;
    }
    return day <= length;
}

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

bool LocalFieldsAt(std::int64_t stamp, std::tm& out) {
    const auto value = static_cast<std::time_t>(stamp);
    return localtime_r(&value, &out) != nullptr;
}

bool Matches(const std::tm& fields, int year, int month, int day, int hour, int minute,
             int second) {
    return fields.tm_year == year - 1900 && fields.tm_mon == month - 1 && fields.tm_mday == day &&
           fields.tm_hour == hour && fields.tm_min == minute && fields.tm_sec == second;
}

// The local-time conversion of the C library, but without its cost per call
// (mktime looks at the time-zone file every time): take the zone's offset
// near the wanted time and check the result by converting back. Times the
// check does not confirm (those skipped by a daylight-saving change) go to
// mktime itself.
bool LocalToStamp(int year, int month, int day, int hour, int minute, int second,
                  std::int64_t& out) {
    const std::int64_t naive =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
        hour * 3600 + minute * 60 + second;
    std::tm fields{};
    if (LocalFieldsAt(naive, fields)) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const std::int64_t guess = naive - fields.tm_gmtoff;
            if (!LocalFieldsAt(guess, fields)) {
                break;
            }
            if (Matches(fields, year, month, day, hour, minute, second)) {
                out = guess;
                return true;
            }
        }
    }
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    parts.tm_wday = -1; // mktime fills it in on success; -1 alone is a valid stamp
    const std::time_t stamp = std::mktime(&parts);
    if (stamp == static_cast<std::time_t>(-1) && parts.tm_wday == -1) {
        return false;
    }
    out = static_cast<std::int64_t>(stamp);
    return true;
}

} // namespace

bool Time::FromLocal(int year, int month, int day, int hour, int minute, int second, Time& out) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) {
        return false;
    }
    std::int64_t seconds = 0;
    if (!LocalToStamp(year, month, day, hour, minute, second, seconds) ||
        seconds > std::numeric_limits<std::int32_t>::max() ||
        seconds < std::numeric_limits<std::int32_t>::min()) {
        return false;
    }
    out = Time(static_cast<std::int32_t>(seconds));
    return true;
}

String Time::Format(const char* format) const {
    const std::time_t stamp = static_cast<std::time_t>(seconds_);
    std::tm local{};
    if (localtime_r(&stamp, &local) == nullptr || format == nullptr || *format == '\0') {
        return String("");
    }
    // strftime gives 0 both for "too small" and for an empty result, so the
    // buffer grows a few times and then settles for an empty text.
    std::vector<char> buffer(256);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::size_t written = std::strftime(buffer.data(), buffer.size(), format, &local);
        if (written > 0) {
            String result;
            result.Assign(buffer.data(), written);
            return result;
        }
        buffer.resize(buffer.size() * 4);
    }
    return String("");
}

} // namespace plat
