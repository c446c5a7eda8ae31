#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// Error codes left in the calling thread's last-error slot.
enum : int {
    IMG_ERR_NONE = 0,
    IMG_ERR_NOMEM = 1,
    IMG_ERR_OPEN = 2,
    IMG_ERR_READ = 3,
    IMG_ERR_WRITE = 4,
    IMG_ERR_ARG = 5,
    IMG_ERR_BADBMP = 6,
    IMG_ERR_JPEGHDR = 9,
    IMG_ERR_DC = 10,
    IMG_ERR_BITMAP = 23,
    IMG_ERR_ROWS = 24,
    IMG_ERR_DIBITS = 25,
    IMG_ERR_DEVCAPS = 26,
    IMG_ERR_DEPTH = 28,
    IMG_ERR_BLT = 29,
    IMG_ERR_DDB = 35,
    IMG_ERR_SELECT = 37,
    IMG_ERR_HANDLE = 38,
    IMG_ERR_NOSTATE = 55,
};

// The symbolic name of an error code ("IMG_ERR_READ"), for tools and logs.
const char* ImgErrorName(int code);

// Format ids returned by detection.
enum : int {
    IMG_FMT_UNKNOWN = 0,
    IMG_FMT_BMP = 1,
    IMG_FMT_GIF = 2,
    IMG_FMT_JPEG = 3,
    IMG_FMT_PNG = 4,
    IMG_FMT_PCX = 5,
    IMG_FMT_TIFF = 6,
    IMG_FMT_WMF = 7,
    IMG_FMT_EMF = 8,
    IMG_FMT_PAX = 9,
    IMG_FMT_PSD = 10,
    IMG_FMT_TLA1 = 11,
    IMG_FMT_TLAU = 12,
    IMG_FMT_WBMP = 13,
    IMG_FMT_TGA = 14,
};

// Largest pixel buffer the library hands out, in bytes.
inline constexpr std::uint64_t kImgMaxBufferBytes = 0x7FFDEFFEu;
// Largest picture, in pixels, that any decoder or converter accepts: far
// beyond any screen, and small enough that a hostile header cannot make us
// allocate gigabytes.
inline constexpr std::uint64_t kImgMaxPixels = std::uint64_t{1} << 27;

struct ImgBufferFree {
    void operator()(std::uint8_t* pixels) const noexcept { std::free(pixels); }
};

// A whole picture: R, G, B bytes (or one byte per pixel for 8-bit output), top
// row first, rows without padding, zero-filled when made. Whoever holds the
// pointer owns the pixels; returning it hands them over.
using ImgBuffer = std::unique_ptr<std::uint8_t[], ImgBufferFree>;

// A zero-filled buffer of width x height x bytesPerPixel, or null when the
// picture is over the library's limits or memory runs out. Sizes are checked
// in 64 bits.
ImgBuffer ImgAllocBuffer(std::int64_t width, std::int64_t height, int bytesPerPixel);
// Whether such a buffer is within the library's limits.
bool ImgBufferFits(std::int64_t width, std::int64_t height, int bytesPerPixel);
