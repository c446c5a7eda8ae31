#pragma once

#include <cstdint>

namespace plat {

// The classification of the running system the libraries test against:
// 0 to 2 the old single-user systems, 3 the first workstation systems,
// 4 the first of the current generation, 5 the current ones. Every desktop
// this runs on offers what the newest class offers, so it answers 5.
class SystemVersion {
public:
    static constexpr std::int32_t Newest = 5;
    static std::int32_t Get() { return Newest; }
    static bool AtLeast(std::int32_t version) { return Get() >= version; }
    static bool Is(std::int32_t version) { return Get() == version; }
};

} // namespace plat
