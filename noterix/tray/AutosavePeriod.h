#pragma once

#include <cstdint>

// The autosave period from the test-only setting NOTERIX_AUTOSAVE_MS (so
// that end-to-end tests need not wait a minute): a positive whole number of
// milliseconds, or null for none. Anything else leaves the usual minute.
std::uint32_t AutosavePeriod(const char* setting);
