#pragma once

#include "imglib/ImgTypes.h"

struct ImgStream;

// Decodes the JPEG picture at the stream's position into R, G, B bytes
// (depth 24) or grey levels (depth 8). When decoding fails part way the
// buffer comes back with the rows decoded so far and a nonzero last error.
ImgBuffer img_read_jpeg(ImgStream* stream, int* width, int* height, int depth);
