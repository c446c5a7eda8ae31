#pragma once

#include "imglib/BmpFormat.h"
#include "imglib/ImgTypes.h"

struct ImgStream;

struct BmpRleResult {
    ImgBuffer pixels;
    int code = IMG_ERR_NONE;
    bool fits = false; // a check without rows: the picture would be delivered
};

// Decodes an RLE8 or RLE4 bitmap from the start of the stream into R, G, B
// (depth 24) or palette indices (depth 8). The size is reported as soon as
// the headers are read; palette, when given, receives the file's palette. A
// buffer comes back with IMG_ERR_READ when the data ends early, the pixels
// not reached left in palette entry 0's colour (index 0).
BmpRleResult BmpDecodeRle(ImgStream* stream, int depth, int* width, int* height,
                          std::uint8_t* palette, bool rows = true);
