#include "plat/linux/Linux_GuidImp.h"

#include <uuid/uuid.h>

#include <algorithm>
#include <cstring>

namespace plat {

bool Linux_GuidImp::Generate(std::array<std::uint8_t, 16>& out) {
    uuid_t value;
    uuid_generate(value);
    std::memcpy(out.data(), value, out.size());
    return std::any_of(out.begin(), out.end(), [](std::uint8_t b) { return b != 0; });
}

} // namespace plat
