#pragma once

#include <cstdint>

namespace plat {

// Maps an operating-system error number to the library's error code.
std::uint32_t MapSystemError(int error);

// Pushes the system's own text for the error (trailing CR and LF removed)
// with the mapped code and severity 2. Always returns false.
bool PushSystemError(int error);

} // namespace plat
