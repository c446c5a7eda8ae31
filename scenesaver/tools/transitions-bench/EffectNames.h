#pragma once

#include <cstdint>
#include <string_view>

// A short name for each effect id, for the bench's table.
std::string_view EffectName(std::uint32_t id);
