#pragma once

#include <cstdint>

namespace plat {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    // Lightens towards white while keeping the hue: the strongest channel
    // becomes 255 and the weakest 255 - 2.55 * percentage. Greys become white.
    Colour Tint(int percentage) const;

    bool operator==(const Colour& other) const = default;

    static const Colour Black, White, Grey, LightGrey, DarkGrey, Red, Brown, Orange, DarkGreen,
        Green, DarkBlue, Blue, Cyan, Magenta, Yellow, DarkYellow;
};

} // namespace plat
