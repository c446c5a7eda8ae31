#pragma once

#include <cstdint>

struct ImgStream;

// Horizontal and vertical density and their unit, as the JFIF header keeps
// them. Without them a file gets densities 1 and 1 with unit 0.
struct ImgJpegDensity {
    std::uint32_t horizontal;
    std::uint32_t vertical;
    std::uint32_t unit;
};

// Writes a JPEG file from a top-row-first buffer: R, G, B bytes (depth 24) or
// grey levels (depth 8), with the quality (0 to 100) forced to baseline
// tables, progressive when asked. Returns the stream's length after writing,
// 0 on failure.
std::int64_t img_write_jpeg(ImgStream* stream, const std::uint8_t* pixels, int width, int height,
                            int quality, int progressive, int depth, const ImgJpegDensity* density);
