#pragma once

// The nose direction in 24 steps of 15 degrees clockwise from straight up:
// S is the rightward part, C the downward part (-1 straight up). Written out
// from the exact values so that every platform flies the same.
constexpr int direction_count = 24;

namespace direction_detail {
constexpr double s15 = 0.25881904510252074;
constexpr double s30 = 0.5;
constexpr double s45 = 0.7071067811865476;
constexpr double s60 = 0.8660254037844386;
constexpr double s75 = 0.9659258262890683;
} // namespace direction_detail

constexpr double direction_sin[direction_count] = {
    0.0,
    direction_detail::s15,
    direction_detail::s30,
    direction_detail::s45,
    direction_detail::s60,
    direction_detail::s75,
    1.0,
    direction_detail::s75,
    direction_detail::s60,
    direction_detail::s45,
    direction_detail::s30,
    direction_detail::s15,
    0.0,
    -direction_detail::s15,
    -direction_detail::s30,
    -direction_detail::s45,
    -direction_detail::s60,
    -direction_detail::s75,
    -1.0,
    -direction_detail::s75,
    -direction_detail::s60,
    -direction_detail::s45,
    -direction_detail::s30,
    -direction_detail::s15,
};

// C(d) = -S(d + 6): the sine a quarter turn ahead, pointing down.
namespace direction_detail {
constexpr auto quarter_turn_ahead() {
    struct Table {
        double values[direction_count];
    } table{};
    for (int d = 0; d < direction_count; ++d) {
        table.values[d] = -direction_sin[(d + 6) % direction_count];
    }
    return table;
}
inline constexpr auto cos_table = quarter_turn_ahead();
} // namespace direction_detail

inline constexpr const double (&direction_cos)[direction_count] =
    direction_detail::cos_table.values;
