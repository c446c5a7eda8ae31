#include "imglib/BmpPixels.h"

namespace {
BmpChannel MakeChannel(std::uint32_t mask) {
    BmpChannel channel;
    channel.mask = mask & 0xFFFFu;
    if (channel.mask == 0) {
        return channel;
    }
    int low = 0;
    while ((channel.mask & (1u << low)) == 0) {
        ++low;
    }
    int end = low;
    while (end < 15 && (channel.mask & (1u << (end + 1))) != 0) {
        ++end;
    }
    channel.shiftRight = end - 7;
    const int bits = end - low + 1;
    channel.fill = bits < 8 ? (1u << (8 - bits)) - 1 : 0;
    return channel;
}

std::uint8_t Extract(const BmpChannel& channel, std::uint32_t value) {
    if (channel.mask == 0) {
        return 0;
    }
    std::uint32_t v = value & channel.mask;
    v = channel.shiftRight >= 0 ? v >> channel.shiftRight : v << -channel.shiftRight;
    return static_cast<std::uint8_t>((v | channel.fill) & 0xFF);
}

void PaletteRow(const std::uint8_t* stored, std::uint8_t* rgb, std::int64_t width, int bitCount,
                const BmpColors& colors) {
    if (bitCount == 8) {
        for (std::int64_t x = 0; x < width; ++x, rgb += 3) {
            const std::uint8_t* entry = colors.rgb[stored[x]];
            rgb[0] = entry[0];
            rgb[1] = entry[1];
            rgb[2] = entry[2];
        }
        return;
    }
    const int perByte = 8 / bitCount;
    const unsigned mask = (1u << bitCount) - 1;
    for (std::int64_t x = 0; x < width; ++x) {
        const std::uint8_t byte = stored[x / perByte];
        const int shift = 8 - bitCount * (static_cast<int>(x % perByte) + 1);
        const std::uint8_t* entry = colors.rgb[(byte >> shift) & mask];
        rgb[0] = entry[0];
        rgb[1] = entry[1];
        rgb[2] = entry[2];
        rgb += 3;
    }
}
} // namespace

void BmpSetPalette(BmpColors& colors, const BmpPalette& palette) {
    for (int i = 0; i < 256; ++i) {
        colors.rgb[i][0] = palette[i * 4 + 2];
        colors.rgb[i][1] = palette[i * 4 + 1];
        colors.rgb[i][2] = palette[i * 4 + 0];
    }
}

void BmpSetMasks(BmpColors& colors, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    colors.bitFields = true;
    colors.red = MakeChannel(red);
    colors.green = MakeChannel(green);
    colors.blue = MakeChannel(blue);
}

void BmpConvertRow(const std::uint8_t* stored, std::uint8_t* rgb, std::int64_t width, int bitCount,
                   const BmpColors& colors) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        PaletteRow(stored, rgb, width, bitCount, colors);
        break;
    case 16:
        for (std::int64_t x = 0; x < width; ++x, stored += 2, rgb += 3) {
            const std::uint32_t v = static_cast<std::uint32_t>(stored[0] | (stored[1] << 8));
            if (colors.bitFields) {
                rgb[0] = Extract(colors.red, v);
                rgb[1] = Extract(colors.green, v);
                rgb[2] = Extract(colors.blue, v);
            } else {
                rgb[0] = static_cast<std::uint8_t>(((v >> 10) & 31) * 8 + 7);
                rgb[1] = static_cast<std::uint8_t>(((v >> 5) & 31) * 8 + 7);
                rgb[2] = static_cast<std::uint8_t>((v & 31) * 8 + 7);
            }
        }
        break;
    case 24:
        for (std::int64_t x = 0; x < width; ++x, stored += 3, rgb += 3) {
            rgb[0] = stored[2];
            rgb[1] = stored[1];
            rgb[2] = stored[0];
        }
        break;
    case 32:
        for (std::int64_t x = 0; x < width; ++x, stored += 4, rgb += 3) {
            rgb[0] = stored[2];
            rgb[1] = stored[1];
            rgb[2] = stored[0];
        }
        break;
    default:
        break;
    }
}

void BmpRowToIndices(const std::uint8_t* stored, std::uint8_t* indices, std::int64_t width,
                     int bitCount) {
    const int perByte = 8 / bitCount;
    const unsigned mask = (1u << bitCount) - 1;
    for (std::int64_t x = 0; x < width; ++x) {
        const int shift = 8 - bitCount * (static_cast<int>(x % perByte) + 1);
        indices[x] = static_cast<std::uint8_t>((stored[x / perByte] >> shift) & mask);
    }
}
