#pragma once

#include <cstdint>

struct ImgStream;

// Writes an uncompressed bitmap file of depth 1, 4, 8 (with a palette of
// colorCount 4-byte entries), 16 or 24 bits from a top-row-first buffer
// (R, G, B bytes for 24 bits; stored rows as they are for the others).
// Returns the stream's length after writing, 0 on failure.
std::int64_t img_write_bmp(ImgStream* stream, const std::uint8_t* pixels, int width, int height,
                           int depth, int colorCount, const std::uint8_t* palette, int compression);
