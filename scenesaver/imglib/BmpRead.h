#pragma once

#include "imglib/ImgTypes.h"

#include <cstdint>

struct ImgStream;

// Decodes the bitmap file at the stream's position. depth 24: an R, G, B
// buffer, palette unused. depth 8: palette indices; depth 1: the packed
// 1-bit rows, (width + 7) / 8 bytes each; for both the 256-entry palette (4
// bytes each) goes to palette, which must be given. The size is reported
// before the rows are decoded. A buffer may come back with a nonzero last
// error when the pixel data ends early.
ImgBuffer img_read_bmp(ImgStream* stream, int* width, int* height, int depth,
                       std::uint8_t* palette);

// Reads what img_read_bmp at depth 24 reads before its first row (headers,
// masks, palette, the way to the pixels) and fails where it would fail
// without a picture to hand back, lack of memory aside; decodes no pixels.
// Nonzero with the picture's size when the decode would deliver one.
int img_check_bmp(ImgStream* stream, int* width, int* height);
