#pragma once

#include "plat/String.h"

#include <cstddef>

// Note texts are UTF-8 when they are valid UTF-8 and 8-bit text otherwise;
// these count characters accordingly.

bool IsValidUtf8(const plat::String& text);
// Characters in the text: code points for UTF-8, bytes otherwise.
std::size_t CharacterCount(const plat::String& text);
// Bytes taken by the first count characters.
std::size_t CharacterPrefixBytes(const plat::String& text, std::size_t count);
