#pragma once

#include "imglib/BmpFormat.h"

#include <cstdint>

// One 16-bit bit-field channel, brought to 8 bits.
struct BmpChannel {
    std::uint32_t mask = 0;
    int shiftRight = 0; // negative: shift left
    std::uint32_t fill = 0;
};

// Everything that turns stored pixels into R, G, B bytes.
struct BmpColors {
    std::uint8_t rgb[256][3] = {}; // the palette as red, green, blue
    bool bitFields = false;
    BmpChannel red, green, blue;
};

// The palette's entries as red, green, blue.
void BmpSetPalette(BmpColors& colors, const BmpPalette& palette);

// Takes the low 16 bits of each mask. The channel's top bit lands on bit 7
// and the bits below a channel narrower than 8 bits are set; a zero mask
// gives 0 for that channel.
void BmpSetMasks(BmpColors& colors, std::uint32_t red, std::uint32_t green, std::uint32_t blue);

// Converts one stored row of width pixels into width R, G, B triples.
void BmpConvertRow(const std::uint8_t* stored, std::uint8_t* rgb, std::int64_t width, int bitCount,
                   const BmpColors& colors);

// Stored row of 1, 4 or 8 bits per pixel to one palette index per pixel.
void BmpRowToIndices(const std::uint8_t* stored, std::uint8_t* indices, std::int64_t width,
                     int bitCount);
