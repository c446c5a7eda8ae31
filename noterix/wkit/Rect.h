#pragma once

#include <cstdint>

namespace wkit {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle whose right and bottom edges lie just outside it, so that the
// width is right - left and two rectangles side by side share an edge value.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    static Rect FromSize(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
        return Rect{x, y, x + width, y + height};
    }

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool Equals(const Rect& other) const { return *this == other; }
    bool operator==(const Rect&) const = default;

    void Offset(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    Rect Inset(std::int32_t by) const { return Rect{left + by, top + by, right - by, bottom - by}; }

    static Rect Union(const Rect& a, const Rect& b);
    // The common part; an empty result becomes all zeros and answers false.
    static bool Intersect(const Rect& a, const Rect& b, Rect& out);
    static bool Intersects(const Rect& a, const Rect& b) {
        Rect ignored;
        return Intersect(a, b, ignored);
    }
};

} // namespace wkit
