#include "imglib/BmpWrite.h"

#include "imglib/ImgTypes.h"
#include "imglib/Stream.h"
#include "imglib/ThreadState.h"

#include <memory>
#include <new>

namespace {
void PutLe16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(std::uint8_t* p, std::uint32_t v) {
    PutLe16(p, v);
    PutLe16(p + 2, v >> 16);
}

int WriteFile(ImgStream* stream, const std::uint8_t* pixels, std::int64_t width,
              std::int64_t height, int depth, int colorCount, const std::uint8_t* palette) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * depth + 31) / 32 * 4;
    const std::uint64_t offset = 54 + 4 * static_cast<std::uint64_t>(colorCount);
    const std::uint64_t fileSize = offset + rowBytes * static_cast<std::uint64_t>(height);
    if (fileSize > 0xFFFFFFFFu) {
        return IMG_ERR_NOMEM;
    }
    std::uint8_t header[54] = {'B', 'M'};
    PutLe32(header + 2, static_cast<std::uint32_t>(fileSize));
    PutLe32(header + 10, static_cast<std::uint32_t>(offset));
    PutLe32(header + 14, 40);
    PutLe32(header + 18, static_cast<std::uint32_t>(width));
    PutLe32(header + 22, static_cast<std::uint32_t>(height));
    PutLe16(header + 26, 1);
    PutLe16(header + 28, static_cast<std::uint32_t>(depth));
    PutLe32(header + 34, static_cast<std::uint32_t>(rowBytes * static_cast<std::uint64_t>(height)));
    PutLe32(header + 46, static_cast<std::uint32_t>(colorCount));
    PutLe32(header + 50, static_cast<std::uint32_t>(colorCount));
    if (!ImgStreamWrite(stream, header, sizeof header)) {
        return IMG_ERR_WRITE;
    }
    for (int i = 0; i < colorCount; ++i) {
        const std::uint8_t* entry = palette + i * 4;
        // The reserved byte repeats the third, as files of this program always had.
        const std::uint8_t bytes[4] = {entry[0], entry[1], entry[2], entry[2]};
        if (!ImgStreamWrite(stream, bytes, sizeof bytes)) {
            return IMG_ERR_WRITE;
        }
    }
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[rowBytes]());
    if (!row) {
        return IMG_ERR_NOMEM;
    }
    const std::uint64_t sourceBytes = depth == 24 ? static_cast<std::uint64_t>(width) * 3
                                      : depth == 16
                                          ? static_cast<std::uint64_t>(width) * 2
                                          : (static_cast<std::uint64_t>(width) * depth + 7) / 8;
    for (std::int64_t y = height - 1; y >= 0; --y) {
        const std::uint8_t* source = pixels + static_cast<std::uint64_t>(y) * sourceBytes;
        if (depth == 24) {
            for (std::int64_t x = 0; x < width; ++x) {
                row[x * 3 + 0] = source[x * 3 + 2];
                row[x * 3 + 1] = source[x * 3 + 1];
                row[x * 3 + 2] = source[x * 3 + 0];
            }
        } else {
            std::copy(source, source + sourceBytes, row.get());
        }
        if (!ImgStreamWrite(stream, row.get(), rowBytes)) {
            return IMG_ERR_WRITE;
        }
    }
    return IMG_ERR_NONE;
}
} // namespace

std::int64_t img_write_bmp(ImgStream* stream, const std::uint8_t* pixels, int width, int height,
                           int depth, int colorCount, const std::uint8_t* palette,
                           int compression) {
    if (!ImgCheckStream(stream)) {
        return 0;
    }
    const bool indexed = depth == 1 || depth == 4 || depth == 8;
    if (pixels == nullptr || width <= 0 || height <= 0 || compression != 0 ||
        (!indexed && depth != 16 && depth != 24) ||
        (indexed && (palette == nullptr || colorCount < 0 || colorCount > (1 << depth)))) {
        ImgSetError(IMG_ERR_ARG);
        return 0;
    }
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kImgMaxPixels) {
        ImgSetError(IMG_ERR_NOMEM);
        return 0;
    }
    int code = WriteFile(stream, pixels, width, height, depth, indexed ? colorCount : 0, palette);
    // Output is buffered: a full disk shows only when it is pushed out.
    if (code == IMG_ERR_NONE && !ImgStreamFlush(stream)) {
        code = IMG_ERR_WRITE;
    }
    ImgSetError(code);
    if (code != IMG_ERR_NONE) {
        return 0;
    }
    const std::int64_t length = ImgStreamLength(stream);
    return length < 0 ? 0 : length;
}
