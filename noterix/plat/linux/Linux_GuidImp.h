#pragma once

#include "plat/Guid.h"

namespace plat {

class Linux_GuidImp : public GuidImp {
public:
    bool Generate(std::array<std::uint8_t, 16>& out) override;
};

} // namespace plat
