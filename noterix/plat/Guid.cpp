#include "plat/Guid.h"

#include "plat/linux/Linux_GuidImp.h"

#include <algorithm>

namespace plat {

namespace {
GuidImp* installed = nullptr;
} // namespace

bool Guid::IsSet() const {
    return std::any_of(bytes_.begin(), bytes_.end(), [](std::uint8_t b) { return b != 0; });
}

bool Guid::Create() {
    std::array<std::uint8_t, 16> fresh{};
    if (!GuidImp::Get().Generate(fresh)) {
        return false;
    }
    bytes_ = fresh;
    return true;
}

GuidImp& GuidImp::Get() {
    static Linux_GuidImp system;
    return installed ? *installed : system;
}

void GuidImp::Install(GuidImp* generator) {
    installed = generator;
}

} // namespace plat
