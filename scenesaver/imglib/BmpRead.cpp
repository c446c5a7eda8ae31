#include "imglib/BmpRead.h"

#include "imglib/BmpFormat.h"
#include "imglib/BmpPixels.h"
#include "imglib/BmpRle.h"
#include "imglib/Stream.h"
#include "imglib/ThreadState.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
struct Decoded {
    ImgBuffer pixels;
    int code = IMG_ERR_NONE;
    bool fits = false; // a check without rows: the picture would be delivered
};

Decoded Fail(int code) {
    Decoded d;
    d.code = code;
    return d;
}

bool IsRle(const BmpHeader& header) {
    return header.compression == kBmpRle8 || header.compression == kBmpRle4;
}

// Moves to the pixel data, reports the size, allocates the output and calls
// convert(storedRow, outputBase, outputRow) for each stored row in file
// order, with the output row for a bottom-up or a top-down file.
// With decode false it stops before the first row, noting whether the
// output would be allocated.
template <typename Convert>
Decoded DecodeRows(ImgStream* stream, const BmpHeader& header, bool backwardsIsError,
                   int bytesPerPixel, int* width, int* height, bool decode, Convert convert) {
    if (const int code = BmpSeekToPixels(stream, header, backwardsIsError); code != IMG_ERR_NONE) {
        return Fail(code);
    }
    const std::int64_t rows = header.height < 0 ? -std::int64_t{header.height} : header.height;
    *width = header.width;
    *height = static_cast<int>(rows);
    Decoded result;
    if (!decode) {
        result.fits = ImgBufferFits(header.width, rows, bytesPerPixel);
        result.code = result.fits ? IMG_ERR_NONE : IMG_ERR_NOMEM;
        return result;
    }
    result.pixels = ImgAllocBuffer(header.width, rows, bytesPerPixel);
    const std::uint64_t rowBytes = BmpStoredRowBytes(header.width, header.bitCount);
    std::unique_ptr<std::uint8_t[]> row;
    if (result.pixels) {
        row.reset(new (std::nothrow) std::uint8_t[rowBytes]);
    }
    if (!row) {
        return Fail(IMG_ERR_NOMEM);
    }
    const bool bottomUp = header.height > 0;
    for (std::int64_t k = 0; k < rows; ++k) {
        if (!ImgStreamReadExact(stream, row.get(), rowBytes)) {
            result.code = IMG_ERR_READ;
            break;
        }
        convert(row.get(), result.pixels.get(), bottomUp ? rows - 1 - k : k);
    }
    return result;
}

Decoded DecodeRgb(ImgStream* stream, int* width, int* height, bool decode) {
    BmpHeader header;
    if (const int code = BmpReadHeaders(stream, header); code != IMG_ERR_NONE) {
        return Fail(code);
    }
    if (IsRle(header)) {
        const bool matches = (header.compression == kBmpRle8 && header.bitCount == 8) ||
                             (header.compression == kBmpRle4 && header.bitCount == 4);
        if (!matches) {
            return Fail(IMG_ERR_BADBMP);
        }
        BmpRleResult rle = BmpDecodeRle(stream, 24, width, height, nullptr, decode);
        return Decoded{std::move(rle.pixels), rle.code, rle.fits};
    }
    if (header.compression > kBmpBitFields) {
        return Fail(IMG_ERR_BADBMP);
    }
    auto colors = std::make_unique<BmpColors>();
    if (header.compression == kBmpBitFields) {
        std::uint8_t masks[12];
        if (!ImgStreamReadExact(stream, masks, sizeof masks)) {
            return Fail(IMG_ERR_READ);
        }
        if (header.bitCount == 16) {
            auto le32 = [&](int at) {
                return static_cast<std::uint32_t>(masks[at]) | (masks[at + 1] << 8) |
                       (masks[at + 2] << 16) | (static_cast<std::uint32_t>(masks[at + 3]) << 24);
            };
            BmpSetMasks(*colors, le32(0), le32(4), le32(8));
        }
    }
    switch (header.bitCount) {
    case 1:
    case 4:
    case 8: {
        BmpPalette palette;
        if (const int code = BmpReadPalette(stream, header, palette); code != IMG_ERR_NONE) {
            return Fail(code);
        }
        BmpSetPalette(*colors, palette);
        break;
    }
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Fail(IMG_ERR_BADBMP);
    }
    const std::int64_t outRowBytes = std::int64_t{header.width} * 3;
    return DecodeRows(stream, header, false, 3, width, height, decode,
                      [&](const std::uint8_t* row, std::uint8_t* out, std::int64_t y) {
                          BmpConvertRow(row, out + y * outRowBytes, header.width, header.bitCount,
                                        *colors);
                      });
}

Decoded DecodeIndexed(ImgStream* stream, int* width, int* height, int depth,
                      std::uint8_t* palette) {
    BmpHeader header;
    if (const int code = BmpReadHeaders(stream, header); code != IMG_ERR_NONE) {
        return Fail(code);
    }
    if (header.bitCount > 8 || header.bitCount > depth) {
        return Fail(IMG_ERR_DEPTH);
    }
    if (header.bitCount != 1 && header.bitCount != 4 && header.bitCount != 8) {
        return Fail(IMG_ERR_BADBMP);
    }
    if (IsRle(header)) {
        BmpRleResult rle = BmpDecodeRle(stream, 8, width, height, palette);
        return Decoded{std::move(rle.pixels), rle.code, false};
    }
    if (header.compression != kBmpRgb) {
        return Fail(IMG_ERR_BADBMP);
    }
    BmpPalette stored;
    if (const int code = BmpReadPalette(stream, header, stored); code != IMG_ERR_NONE) {
        return Fail(code);
    }
    std::memcpy(palette, stored, sizeof stored);
    const std::int64_t packedBytes = (std::int64_t{header.width} + 7) / 8;
    return DecodeRows(
        stream, header, true, 1, width, height, true,
        [&](const std::uint8_t* row, std::uint8_t* out, std::int64_t y) {
            if (depth == 1) {
                std::memcpy(out + y * packedBytes, row, static_cast<std::size_t>(packedBytes));
            } else {
                BmpRowToIndices(row, out + y * header.width, header.width, header.bitCount);
            }
        });
}
} // namespace

ImgBuffer img_read_bmp(ImgStream* stream, int* width, int* height, int depth,
                       std::uint8_t* palette) {
    if (!ImgCheckStream(stream)) {
        return nullptr;
    }
    if (width == nullptr || height == nullptr || (depth != 24 && depth != 8 && depth != 1) ||
        (depth != 24 && palette == nullptr)) {
        ImgSetError(IMG_ERR_ARG);
        return nullptr;
    }
    Decoded decoded = depth == 24 ? DecodeRgb(stream, width, height, true)
                                  : DecodeIndexed(stream, width, height, depth, palette);
    ImgSetError(decoded.code);
    return std::move(decoded.pixels);
}

int img_check_bmp(ImgStream* stream, int* width, int* height) {
    if (!ImgCheckStream(stream)) {
        return 0;
    }
    if (width == nullptr || height == nullptr) {
        ImgSetError(IMG_ERR_ARG);
        return 0;
    }
    const Decoded checked = DecodeRgb(stream, width, height, false);
    ImgSetError(checked.code);
    return checked.fits ? 1 : 0;
}
