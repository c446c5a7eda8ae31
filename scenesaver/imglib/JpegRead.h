#pragma once

#include "imglib/ImgTypes.h"

struct ImgStream;

// Decodes the JPEG picture at the stream's position into R, G, B bytes
// (depth 24) or grey levels (depth 8). When decoding fails part way the
// buffer comes back with the rows decoded so far and a nonzero last error.
ImgBuffer img_read_jpeg(ImgStream* stream, int* width, int* height, int depth);

// Reads what img_read_jpeg reads before its first row (the header, the size,
// the start of decompression) and fails where it would fail without a
// picture to hand back, lack of memory aside; decodes no pixels. Nonzero with
// the picture's size when the decode would deliver one.
int img_check_jpeg(ImgStream* stream, int* width, int* height, int depth);
