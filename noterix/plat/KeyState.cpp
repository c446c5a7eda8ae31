#include "plat/KeyState.h"

namespace plat {

namespace {
const KeyStateImp* keyState = nullptr;
} // namespace

bool IsKeyDown(std::int32_t virtualKey) {
    return keyState != nullptr && keyState->IsKeyDown(virtualKey);
}

void InstallKeyState(const KeyStateImp* imp) {
    keyState = imp;
}

} // namespace plat
