#include "tray/AutosavePeriod.h"

#include "notes/NotesKeeper.h"

#include <charconv>
#include <cstring>

std::uint32_t AutosavePeriod(const char* setting) {
    if (setting == nullptr) {
        return NotesKeeper::AutosaveMilliseconds;
    }
    const char* end = setting + std::strlen(setting);
    std::uint32_t value = 0;
    const auto [stop, error] = std::from_chars(setting, end, value);
    if (error != std::errc{} || stop != end || value == 0) {
        return NotesKeeper::AutosaveMilliseconds;
    }
    return value;
}
