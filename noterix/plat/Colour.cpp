#include "plat/Colour.h"

#include <algorithm>

namespace plat {

const Colour Colour::Black{0, 0, 0};
const Colour Colour::White{255, 255, 255};
const Colour Colour::Grey{128, 128, 128};
const Colour Colour::LightGrey{224, 224, 224};
const Colour Colour::DarkGrey{64, 64, 64};
const Colour Colour::Red{255, 0, 0};
const Colour Colour::Brown{192, 92, 0};
const Colour Colour::Orange{255, 128, 0};
const Colour Colour::DarkGreen{0, 192, 0};
const Colour Colour::Green{0, 255, 0};
const Colour Colour::DarkBlue{0, 0, 192};
const Colour Colour::Blue{0, 0, 255};
const Colour Colour::Cyan{0, 255, 255};
const Colour Colour::Magenta{255, 0, 255};
const Colour Colour::Yellow{255, 255, 0};
const Colour Colour::DarkYellow{192, 192, 0};

Colour Colour::Tint(int percentage) const {
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    if (high == low) {
        return White;
    }
    auto channel = [&](int c) {
        const double value = 255.0 - 2.55 * percentage * (high - c) / (high - low);
        return static_cast<std::uint8_t>(std::clamp(static_cast<int>(value), 0, 255));
    };
    return Colour{channel(red), channel(green), channel(blue)};
}

} // namespace plat
