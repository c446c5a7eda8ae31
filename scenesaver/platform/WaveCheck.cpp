#include "platform/WaveCheck.h"

#include <cstring>

namespace {
std::uint32_t ReadU32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
bool IsTag(const std::uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

// The encodings SDL's loader decodes: PCM, IEEE float, MS and IMA ADPCM,
// A-law, mu-law, and the extensible form of these.
bool KnownFormat(std::uint16_t tag) {
    switch (tag) {
    case 0x0001:
    case 0x0002:
    case 0x0003:
    case 0x0006:
    case 0x0007:
    case 0x0011:
    case 0xFFFE:
        return true;
    default:
        return false;
    }
}
} // namespace

std::optional<WaveLayout> CheckWaveBytes(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kRiffHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    if (data == nullptr || size < kRiffHeader || !IsTag(data, "RIFF") || !IsTag(data + 8, "WAVE")) {
        return std::nullopt;
    }
    // Chunks past the RIFF size do not belong to the sound.
    const std::uint64_t riffEnd = std::uint64_t{ReadU32(data + 4)} + 8;
    const std::uint64_t end = riffEnd < size ? riffEnd : size;
    WaveLayout layout;
    bool haveFormat = false;
    std::uint64_t offset = kRiffHeader;
    while (offset + kChunkHeader <= end) {
        const std::uint8_t* chunk = data + offset;
        const std::uint64_t length = ReadU32(chunk + 4);
        const std::uint64_t body = offset + kChunkHeader;
        if (length > end - body) {
            return std::nullopt;
        }
        if (IsTag(chunk, "fmt ")) {
            if (length < 16) {
                return std::nullopt;
            }
            const std::uint8_t* format = data + body;
            layout.formatTag = ReadU16(format);
            layout.channels = ReadU16(format + 2);
            layout.sampleRate = static_cast<int>(ReadU32(format + 4) & 0x7FFFFFFF);
            layout.bitsPerSample = ReadU16(format + 14);
            if (!KnownFormat(layout.formatTag) || layout.channels < 1 || layout.channels > 8 ||
                layout.sampleRate < 1 || layout.sampleRate > 384000 || layout.bitsPerSample > 64) {
                return std::nullopt;
            }
            haveFormat = true;
        } else if (IsTag(chunk, "data")) {
            if (!haveFormat) {
                return std::nullopt;
            }
            layout.dataOffset = static_cast<std::size_t>(body);
            layout.dataSize = static_cast<std::size_t>(length);
            return layout;
        }
        offset = body + length + (length & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}
