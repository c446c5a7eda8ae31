#pragma once

#include "plat/String.h"

// Notes written by older programs hold 8-bit Windows text. The edit box takes
// UTF-8, so such a note is shown through this table rather than turned into
// replacement characters.
plat::String Windows1252ToUtf8(const plat::String& text);
