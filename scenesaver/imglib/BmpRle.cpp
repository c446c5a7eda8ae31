#include "imglib/BmpRle.h"

#include "imglib/BmpPixels.h"
#include "imglib/Stream.h"

#include <algorithm>
#include <cstring>

namespace {
// Hands out the stream's bytes one at a time from a block read ahead.
class ByteReader {
public:
    explicit ByteReader(ImgStream* stream) : stream_(stream) {}
    bool Next(std::uint8_t& byte) {
        if (position_ == filled_) {
            filled_ = ImgStreamRead(stream_, block_, sizeof block_);
            position_ = 0;
            if (filled_ == 0) {
                return false;
            }
        }
        byte = block_[position_++];
        return true;
    }

private:
    ImgStream* stream_;
    std::uint8_t block_[4096];
    std::size_t filled_ = 0;
    std::size_t position_ = 0;
};

enum class Mode { Command, RunColor, Escape, Absolute, DeltaX, DeltaY };

struct Output {
    std::uint8_t* pixels;
    std::int64_t width;
    std::int64_t height;
    int bytesPerPixel;
    const BmpColors* colors;

    // Puts waiting pixels at (x, y), clipped to the picture.
    void Put(const std::uint8_t* indices, std::int64_t count, std::int64_t x,
             std::int64_t y) const {
        if (y < 0 || y >= height || x >= width) {
            return;
        }
        const std::int64_t n = std::min(count, width - x);
        std::uint8_t* out = pixels + (y * width + x) * bytesPerPixel;
        if (bytesPerPixel == 1) {
            std::memcpy(out, indices, static_cast<std::size_t>(n));
            return;
        }
        for (std::int64_t i = 0; i < n; ++i, out += 3) {
            const std::uint8_t* entry = colors->rgb[indices[i]];
            out[0] = entry[0];
            out[1] = entry[1];
            out[2] = entry[2];
        }
    }
};
} // namespace

BmpRleResult BmpDecodeRle(ImgStream* stream, int depth, int* width, int* height,
                          std::uint8_t* palette, bool rows) {
    BmpRleResult result;
    BmpHeader header;
    if (!ImgStreamSeekTo(stream, 0)) {
        result.code = IMG_ERR_READ;
        return result;
    }
    if ((result.code = BmpReadHeaders(stream, header)) != IMG_ERR_NONE) {
        return result;
    }
    if (depth != 8 && depth != 24) {
        result.code = IMG_ERR_DEPTH;
        return result;
    }
    const bool rle4 = header.compression == kBmpRle4;
    BmpPalette stored;
    if ((result.code = BmpReadPalette(stream, header, stored)) != IMG_ERR_NONE) {
        return result;
    }
    if (palette != nullptr) {
        std::memcpy(palette, stored, sizeof stored);
    }
    if ((result.code = BmpSeekToPixels(stream, header, true)) != IMG_ERR_NONE) {
        return result;
    }
    *width = header.width;
    *height = header.height;
    // Run-length bitmaps are bottom-up only; a negative height makes no
    // picture.
    const int bytesPerPixel = depth == 24 ? 3 : 1;
    if (!rows) {
        result.fits = ImgBufferFits(header.width, header.height, bytesPerPixel);
        result.code = result.fits ? IMG_ERR_NONE : IMG_ERR_NOMEM;
        return result;
    }
    result.pixels = ImgAllocBuffer(header.width, header.height, bytesPerPixel);
    if (!result.pixels) {
        result.code = IMG_ERR_NOMEM;
        return result;
    }
    auto colors = std::make_unique<BmpColors>();
    BmpSetPalette(*colors, stored);
    const Output out{result.pixels.get(), header.width, header.height, bytesPerPixel, colors.get()};
    if (bytesPerPixel == 3) {
        const std::uint64_t pixels = static_cast<std::uint64_t>(out.width) * out.height;
        for (std::uint64_t i = 0; i < pixels; ++i) {
            std::memcpy(out.pixels + i * 3, colors->rgb[0], 3);
        }
    }

    ByteReader reader(stream);
    Mode mode = Mode::Command;
    std::int64_t x = 0;
    std::int64_t y = out.height - 1;
    std::uint64_t count = 0;
    unsigned runLength = 0;
    unsigned absoluteLeft = 0;
    bool padDue = false;
    std::uint8_t waiting[256];
    std::int64_t waitingCount = 0;
    std::uint8_t b = 0;
    while (reader.Next(b)) {
        ++count;
        switch (mode) {
        case Mode::Command:
            if (b == 0) {
                // A zero at an even count is the pad after an absolute run.
                if (count % 2 == 1) {
                    mode = Mode::Escape;
                }
            } else {
                runLength = b;
                mode = Mode::RunColor;
            }
            break;
        case Mode::RunColor:
            for (unsigned i = 0; i < runLength; ++i) {
                waiting[i] = rle4 ? static_cast<std::uint8_t>(i % 2 == 0 ? b >> 4 : b & 15) : b;
            }
            waitingCount = runLength;
            mode = Mode::Command;
            break;
        case Mode::Escape:
            if (b == 0) {
                --y;
                x = 0;
                mode = Mode::Command;
            } else if (b == 1) {
                return result;
            } else if (b == 2) {
                mode = Mode::DeltaX;
            } else {
                absoluteLeft = b;
                padDue = !rle4 && (b % 2 == 1);
                mode = Mode::Absolute;
            }
            break;
        case Mode::Absolute:
            if (rle4) {
                waiting[0] = static_cast<std::uint8_t>(b >> 4);
                waiting[1] = static_cast<std::uint8_t>(b & 15);
                waitingCount = std::min(absoluteLeft, 2u);
                absoluteLeft -= static_cast<unsigned>(waitingCount);
            } else {
                waiting[0] = b;
                waitingCount = 1;
                --absoluteLeft;
            }
            if (absoluteLeft == 0) {
                if (padDue) {
                    std::uint8_t pad = 0;
                    if (!reader.Next(pad)) {
                        out.Put(waiting, waitingCount, x, y);
                        result.code = IMG_ERR_READ;
                        return result;
                    }
                    ++count;
                }
                mode = Mode::Command;
            }
            break;
        case Mode::DeltaX:
            x += b;
            mode = Mode::DeltaY;
            break;
        case Mode::DeltaY:
            y -= b;
            mode = Mode::Command;
            break;
        }
        if (waitingCount > 0) {
            out.Put(waiting, waitingCount, x, y);
            x += waitingCount;
            waitingCount = 0;
        }
    }
    result.code = IMG_ERR_READ;
    return result;
}
