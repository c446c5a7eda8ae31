#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The benchmark's pictures, made in memory: a photograph-like RGB picture
// (smooth shading with fine noise), and the files of each kind made from it.
Bytes MakeRgb(int width, int height);
Bytes MakeBmp24(const Bytes& rgb, int width, int height);
// 8-bit palette picture; rle: run-length encoded (long runs of equal indices).
Bytes MakeBmp8(int width, int height, bool rle);
Bytes MakeJpeg(const Bytes& rgb, int width, int height, bool progressive, bool cmyk);
