#pragma once

#include "plat/Guid.h"
#include "plat/String.h"

// The identifier's text in the notes file: 32 lower-case hex digits, last
// byte first, each byte high digit first.
plat::String GuidToText(const plat::Guid& guid);
// The reverse; a character that is not a hex digit counts as 0. The text
// must hold at least 32 characters.
plat::Guid GuidFromText(const plat::String& text);
