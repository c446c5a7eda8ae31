#include "media/MP3Header.h"

#include <array>

namespace {
using Row = std::array<int, 16>;

// Bit rates in kbit/s by index; 0 and 15 are not valid and never looked up.
constexpr Row kMpeg1Layer1 = {0,   32,  64,  96,  128, 160, 192, 224,
                              256, 288, 320, 352, 384, 416, 448, 0};
constexpr Row kMpeg1Layer2 = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
constexpr Row kMpeg1Layer3 = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr Row kMpeg2Layer1 = {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0};
constexpr Row kMpeg2Layer23 = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};

int BitRate(double version, int layer, unsigned index) {
    if (version == 1.0) {
        return (layer == 1 ? kMpeg1Layer1 : layer == 2 ? kMpeg1Layer2 : kMpeg1Layer3)[index];
    }
    return (layer == 1 ? kMpeg2Layer1 : kMpeg2Layer23)[index];
}

int SampleRate(double version, unsigned index) {
    constexpr std::array<int, 3> mpeg1 = {44100, 48000, 32000};
    const int base = mpeg1[index];
    return version == 1.0 ? base : version == 2.0 ? base / 2 : base / 4;
}
} // namespace

std::optional<MP3FrameHeader> ParseFrameHeader(std::uint32_t word) {
    const unsigned versionBits = (word >> 19) & 3U;
    const unsigned layerBits = (word >> 17) & 3U;
    const unsigned bitRateIndex = (word >> 12) & 15U;
    const unsigned sampleRateIndex = (word >> 10) & 3U;
    if ((word & 0xFFE00000U) != 0xFFE00000U || versionBits == 1 || layerBits == 0 ||
        bitRateIndex == 0 || bitRateIndex == 15 || sampleRateIndex == 3 || (word & 3U) == 2) {
        return std::nullopt;
    }
    MP3FrameHeader header;
    header.version = versionBits == 3 ? 1.0 : versionBits == 2 ? 2.0 : 2.5;
    header.layer = 4 - static_cast<int>(layerBits);
    header.bitRate = BitRate(header.version, header.layer, bitRateIndex);
    header.sampleRate = SampleRate(header.version, sampleRateIndex);
    header.channelMode = static_cast<int>((word >> 6) & 3U);
    return header;
}

std::size_t ID3v2TagSize(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 10;
    if (data == nullptr || size < kHeader || data[0] != 'I' || data[1] != 'D' || data[2] != '3' ||
        data[3] == 0xFF || data[4] == 0xFF) {
        return 0;
    }
    std::size_t body = 0;
    for (std::size_t i = 6; i < kHeader; ++i) {
        if ((data[i] & 0x80U) != 0) {
            return 0; // a size that is not sync-safe: no tag
        }
        body = (body << 7) | data[i];
    }
    const bool footer = (data[5] & 0x10U) != 0;
    return kHeader + body + (footer ? kHeader : 0);
}

std::optional<MP3FrameHeader> ScanFirstFrameHeader(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    // A tag may hold pictures far longer than the scan, and bytes inside it
    // that look like a header; the frames start behind it.
    const std::size_t start = ID3v2TagSize(data, size);
    for (std::size_t step = 0; step < kHeaderScanLength; ++step) {
        const std::size_t offset = start + step;
        if (offset >= size || size - offset < 4) {
            break;
        }
        const std::uint32_t word = (std::uint32_t{data[offset]} << 24) |
                                   (std::uint32_t{data[offset + 1]} << 16) |
                                   (std::uint32_t{data[offset + 2]} << 8) | data[offset + 3];
        if (auto header = ParseFrameHeader(word)) {
            header->offset = offset;
            return header;
        }
    }
    return std::nullopt;
}

int PlaybackRate(int sourceRate) {
    switch (sourceRate) {
    case 32000:
    case 44100:
    case 48000:
        return sourceRate / 2;
    default:
        return sourceRate;
    }
}
