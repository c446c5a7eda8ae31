#pragma once

struct ImgStream;

// Reads 44 bytes from the stream's current position and names the picture
// format (IMG_FMT_*). The position is left 44 bytes further on: seek back
// before decoding. A stream too short to detect is IMG_FMT_UNKNOWN.
int img_detect_format(ImgStream* stream);

// The extension tie-breaker on its own: IMG_FMT_WBMP, IMG_FMT_TGA or
// IMG_FMT_UNKNOWN for a file name.
int ImgFormatFromExtension(const char* fileName);
