#include "sound/wave_check.h"

#include <cstring>

namespace {
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool format_usable(const std::uint8_t* chunk, std::uint64_t length) {
    if (length < 16) {
        return false;
    }
    std::uint16_t tag = u16(chunk);
    std::uint16_t channels = u16(chunk + 2);
    std::uint32_t rate = u32(chunk + 4);
    std::uint16_t bits = u16(chunk + 14);
    return tag == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= 1 &&
           rate <= 192000;
}
} // namespace

bool wave_image_usable(const std::uint8_t* data, std::size_t size) {
    if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
        std::memcmp(data + 8, "WAVE", 4) != 0) {
        return false;
    }
    // The library's reader does not stop at the data: it goes on through
    // every chunk to the end of the image, takes each "fmt " chunk, makes a
    // sample of each "data" chunk (losing the one before) and reads a chunk
    // header even from the last four to seven bytes, taking the missing
    // length for -1. So every chunk to the end is checked.
    std::uint64_t total = size;
    std::uint64_t position = 12;
    bool format_seen = false;
    bool data_seen = false;
    while (total - position >= 4) {
        if (total - position < 8) {
            return false;
        }
        const std::uint8_t* header = data + position;
        std::uint64_t length = u32(header + 4);
        std::uint64_t room = total - position - 8;
        if (length > room) {
            return false;
        }
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (!format_usable(header + 8, length)) {
                return false;
            }
            format_seen = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!format_seen || data_seen || length > max_wave_data) {
                return false;
            }
            data_seen = true;
        }
        position += 8 + length;
    }
    return data_seen;
}
