#pragma once

#include <cstdint>

namespace plat {

// Virtual key codes of the keys the programs ask about.
enum VirtualKey : std::int32_t {
    VkLeftButton = 0x01,
    VkRightButton = 0x02,
    VkMiddleButton = 0x04,
    VkShift = 0x10,
    VkControl = 0x11,
    VkAlt = 0x12,
    VkEscape = 0x1B,
};

// The keyboard state as the GUI back-end knows it.
class KeyStateImp {
public:
    virtual ~KeyStateImp() = default;
    virtual bool IsKeyDown(std::int32_t virtualKey) const = 0;
};

// Whether a key or mouse button is held now; false without a back-end.
bool IsKeyDown(std::int32_t virtualKey);
void InstallKeyState(const KeyStateImp* imp); // not owned; null removes it

} // namespace plat
