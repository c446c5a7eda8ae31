#pragma once

#include <cstdint>

struct ImgStream;

// What the decoders take from a bitmap's file header and the first 40 bytes
// of its information header.
struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

inline constexpr std::uint32_t kBmpRgb = 0;
inline constexpr std::uint32_t kBmpRle8 = 1;
inline constexpr std::uint32_t kBmpRle4 = 2;
inline constexpr std::uint32_t kBmpBitFields = 3;

inline constexpr int kBmpFileHeaderBytes = 14;
inline constexpr int kBmpInfoHeaderBytes = 40;

// Palette as stored: 256 entries of blue, green, red, reserved.
using BmpPalette = std::uint8_t[256 * 4];

// Reads the 14-byte file header and 40 bytes of information header from the
// stream's position. Returns IMG_ERR_NONE, IMG_ERR_READ (short) or
// IMG_ERR_BADBMP (no "BM", width not positive, height 0, information header
// shorter than 40 bytes).
int BmpReadHeaders(ImgStream* stream, BmpHeader& header);

// How many palette entries the file holds: colours used, or 2 to the bits
// when that is 0; never more than 256, and none above 8 bits per pixel.
std::uint32_t BmpPaletteEntries(const BmpHeader& header);

// Reads the palette that follows the information header (and the masks of a
// 40-byte bit-field header) into palette; entries past the file's own are
// copies of entry 0. Returns IMG_ERR_NONE or IMG_ERR_READ.
int BmpReadPalette(ImgStream* stream, const BmpHeader& header, BmpPalette& palette);

// Positions the stream at the pixel data. An offset past the end of the
// stream is IMG_ERR_BADBMP; so is one before the current position when
// backwardsIsError is set, else the stream seeks back to it.
int BmpSeekToPixels(ImgStream* stream, const BmpHeader& header, bool backwardsIsError);

// Number of bytes of one stored row: whole bytes, padded to a multiple of 4.
std::uint64_t BmpStoredRowBytes(std::int64_t width, int bitCount);
