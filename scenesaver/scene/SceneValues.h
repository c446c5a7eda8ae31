#pragma once

#include <cstdint>

// The plain value types scene data is stored in: 32-bit truth values that
// keep the exact stored number, colours as 0x00BBGGRR, and integer points.

using BOOL = int;
using COLORREF = std::uint32_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

struct CPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const CPoint&, const CPoint&) = default;
};

constexpr COLORREF RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
           (static_cast<COLORREF>(blue) << 16);
}
