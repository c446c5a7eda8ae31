#include "imglib/DeviceBitmap.h"

#include "imglib/BmpPixels.h"
#include "imglib/ThreadState.h"

#include <algorithm>

namespace {
bool OverLimit(int width, int height) {
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kImgMaxPixels;
}

// The buffer's pixels as a screen-format image, or the failure code.
QImage MakeImage(const std::uint8_t* rgb, int width, int height, int& code) {
    if (rgb == nullptr || width <= 0 || height <= 0) {
        code = IMG_ERR_ARG;
        return {};
    }
    if (OverLimit(width, height)) {
        code = IMG_ERR_NOMEM;
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        code = IMG_ERR_DDB;
        return {};
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rgb + static_cast<std::size_t>(y) * rowBytes;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += 3) {
            out[x] = qRgb(in[0], in[1], in[2]);
        }
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
    int code = IMG_ERR_NONE;
    const QImage image = MakeImage(rgb, width, height, code);
    if (code != IMG_ERR_NONE) {
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
    const std::int64_t w = std::min(copyWidth, width);
    const std::int64_t h = std::min(copyHeight, height);
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + w, device->width());
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + h, device->height());
    for (std::int64_t row = top; row < bottom && left < right; ++row) {
        const auto* in =
            reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(row - y)));
        auto* out = reinterpret_cast<QRgb*>(device->scanLine(static_cast<int>(row)));
        std::copy(in + (left - x), in + (right - x), out + left);
    }
    ImgSetError(IMG_ERR_NONE);
    return 1;
}
