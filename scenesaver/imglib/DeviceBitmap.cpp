#include "imglib/DeviceBitmap.h"

#include "imglib/BmpPixels.h"
#include "imglib/ThreadState.h"
#include "platform/VectorClones.h"

#include <algorithm>

namespace {
bool OverLimit(int width, int height) {
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kImgMaxPixels;
}

// One row of red, green, blue bytes as screen pixels. Vectorised: the colour
// morph converts a whole screen this way every frame.
VECTOR_CLONES void RgbRowToScreen(const std::uint8_t* in, QRgb* out, std::size_t pixels) {
    for (std::size_t x = 0; x < pixels; ++x) {
        out[x] = qRgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
    }
}

// IMG_ERR_NONE for a buffer that may be turned into pixels.
int BufferCode(const std::uint8_t* rgb, int width, int height) {
    if (rgb == nullptr || width <= 0 || height <= 0) {
        return IMG_ERR_ARG;
    }
    return OverLimit(width, height) ? IMG_ERR_NOMEM : IMG_ERR_NONE;
}

// The buffer's pixels as a screen-format image, or the failure code.
QImage MakeImage(const std::uint8_t* rgb, int width, int height, int& code) {
    code = BufferCode(rgb, width, height);
    if (code != IMG_ERR_NONE) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        code = IMG_ERR_DDB;
        return {};
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        RgbRowToScreen(rgb + static_cast<std::size_t>(y) * rowBytes,
                       reinterpret_cast<QRgb*>(image.scanLine(y)), static_cast<std::size_t>(width));
    }
    code = IMG_ERR_NONE;
    return image;
}
} // namespace

QImage img_dib_to_ddb(const std::uint8_t* rgb, int width, int height) {
    int code = IMG_ERR_NONE;
    QImage image = MakeImage(rgb, width, height, code);
    ImgSetError(code);
    return image;
}

ImgBuffer img_dc_to_dib(const QImage* device, int x, int y, int width, int height) {
    if (device == nullptr || device->isNull() || width <= 0 || height <= 0) {
        ImgSetError(IMG_ERR_ARG);
        return nullptr;
    }
    ImgBuffer pixels = ImgAllocBuffer(width, height, 3);
    if (!pixels) {
        ImgSetError(IMG_ERR_NOMEM);
        return nullptr;
    }
    const QImage source =
        device->format() == QImage::Format_RGB32 || device->format() == QImage::Format_ARGB32
            ? *device
            : device->convertToFormat(QImage::Format_RGB32);
    if (source.isNull()) {
        ImgSetError(IMG_ERR_DIBITS);
        return nullptr;
    }
    const BmpColors colors;
    // Only the part of the rectangle that lies on the device is copied.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + width, source.width());
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + height, source.height());
    for (std::int64_t row = top; row < bottom && left < right; ++row) {
        const std::uint8_t* in = source.constScanLine(static_cast<int>(row)) + left * 4;
        std::uint8_t* out = pixels.get() + ((row - y) * width + (left - x)) * 3;
        // Screen pixels are stored as blue, green, red, unused bytes: a
        // 32-bit device-independent row.
        static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
        BmpConvertRow(in, out, right - left, 32, colors);
    }
    ImgSetError(IMG_ERR_NONE);
    return pixels;
}

int img_draw(QImage* device, const std::uint8_t* rgb, int width, int height, int x, int y,
             int copyWidth, int copyHeight) {
    if (const int code = BufferCode(rgb, width, height); code != IMG_ERR_NONE) {
        ImgSetError(code);
        return 0;
    }
    if (device == nullptr || device->isNull() || copyWidth < 0 || copyHeight < 0) {
        ImgSetError(IMG_ERR_ARG);
        return 0;
    }
    if (device->format() != QImage::Format_RGB32 && device->format() != QImage::Format_ARGB32) {
        ImgSetError(IMG_ERR_DEVCAPS);
        return 0;
    }
    // Straight onto the device, converted as it is copied: the colour morph
    // draws a whole screen this way every frame.
    const std::int64_t w = std::min(copyWidth, width);
    const std::int64_t h = std::min(copyHeight, height);
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + w, device->width());
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + h, device->height());
    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    for (std::int64_t row = top; row < bottom && left < right; ++row) {
        const std::uint8_t* in = rgb + static_cast<std::size_t>(row - y) * rowBytes +
                                 static_cast<std::size_t>(left - x) * 3;
        auto* out = reinterpret_cast<QRgb*>(device->scanLine(static_cast<int>(row))) + left;
        RgbRowToScreen(in, out, static_cast<std::size_t>(right - left));
    }
    ImgSetError(IMG_ERR_NONE);
    return 1;
}
