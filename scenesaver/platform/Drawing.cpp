#include "platform/Drawing.h"

#include "platform/VectorClones.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

QRgb ColorRefToRgb(std::uint32_t colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QImage MakeBitmap(QSize size, QRgb fill) {
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    if (!image.isNull()) {
        image.fill(fill);
    }
    return image;
}

void FillImageRect(QImage& target, const QRect& rect, QRgb colour) {
    const QRect clipped = rect.intersected(target.rect());
    for (int y = clipped.top(); y <= clipped.bottom() && !clipped.isEmpty(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(target.scanLine(y));
        std::fill(row + clipped.left(), row + clipped.left() + clipped.width(), colour);
    }
}

void CopyImageRect(QImage& target, QPoint dest, const QImage& source, const QRect& sourceRect) {
    // Clip to the source first, moving the destination with it, then to the
    // target, moving the source with it.
    QRect from = sourceRect.intersected(source.rect());
    QPoint to = dest + (from.topLeft() - sourceRect.topLeft());
    const QRect into = QRect(to, from.size()).intersected(target.rect());
    if (from.isEmpty() || into.isEmpty()) {
        return;
    }
    from = QRect(from.topLeft() + (into.topLeft() - to), into.size());
    to = into.topLeft();
    // Row addresses by stride: the effects copy many thin strips, where
    // asking the image for every row would cost more than the copy.
    const auto bytes = static_cast<std::size_t>(from.width()) * sizeof(QRgb);
    const qsizetype inStride = source.bytesPerLine();
    const qsizetype outStride = target.bytesPerLine();
    const uchar* in = source.constBits() + from.y() * inStride + from.x() * sizeof(QRgb);
    uchar* out = target.bits() + to.y() * outStride + to.x() * sizeof(QRgb);
    const int rows = from.height();
    if (&target != &source) {
        for (int row = 0; row < rows; ++row) {
            std::memcpy(out + row * outStride, in + row * inStride, bytes);
        }
        return;
    }
    // Overlapping copies within one image go bottom-up when moving down.
    const bool downward = to.y() > from.y();
    for (int step = 0; step < rows; ++step) {
        const int row = downward ? rows - 1 - step : step;
        std::memmove(out + row * outStride, in + row * inStride, bytes);
    }
}

namespace {

// Many bytes at a time in 16-bit lanes: the fades draw a whole screen per
// brightness level, a level every millisecond at full speed, which a byte at a
// time cannot keep up with. The alpha byte is multiplied by 256, which keeps
// it.
VECTOR_CLONES void DimRow(const uchar* in, uchar* out, std::size_t pixels, std::uint16_t level) {
    constexpr std::size_t CHUNK = 32;
    using Bytes = std::uint8_t __attribute__((vector_size(CHUNK)));
    using Words = std::uint16_t __attribute__((vector_size(2 * CHUNK)));
    constexpr int alpha = std::endian::native == std::endian::little ? 3 : 0;
    std::uint16_t factors[4] = {level, level, level, level};
    factors[alpha] = 256;
    Words factor;
    for (std::size_t lane = 0; lane < CHUNK; ++lane) {
        factor[lane] = factors[lane % 4];
    }
    const std::size_t count = pixels * sizeof(QRgb);
    std::size_t at = 0;
    for (; at + CHUNK <= count; at += CHUNK) {
        Bytes chunk;
        std::memcpy(&chunk, in + at, CHUNK);
        const Words wide = (__builtin_convertvector(chunk, Words) * factor) >> 8;
        const Bytes narrow = __builtin_convertvector(wide, Bytes);
        std::memcpy(out + at, &narrow, CHUNK);
    }
    for (; at < count; ++at) {
        out[at] = static_cast<uchar>((in[at] * factors[at % 4]) >> 8);
    }
}

} // namespace

void DrawImageDimmed(QImage& target, QPoint dest, const QImage& source, int level) {
    const QRect into = QRect(dest, source.size()).intersected(target.rect());
    if (into.isEmpty()) {
        return;
    }
    const QImage& rgb =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const auto factor = static_cast<std::uint16_t>(std::clamp(level, 0, 256));
    const QPoint from = into.topLeft() - dest;
    for (int row = 0; row < into.height(); ++row) {
        const uchar* in = rgb.constScanLine(from.y() + row) + from.x() * sizeof(QRgb);
        uchar* out = target.scanLine(into.top() + row) + into.left() * sizeof(QRgb);
        DimRow(in, out, static_cast<std::size_t>(into.width()), factor);
    }
}

QImage CopyImageArea(const QImage& source, const QRect& area) {
    QImage copy = MakeBitmap(area.size(), qRgb(0, 0, 0));
    if (!copy.isNull()) {
        CopyImageRect(copy, QPoint(0, 0), source, area);
    }
    return copy;
}

void StretchImage(QImage& target, const QRect& destRect, const QImage& source) {
    if (source.isNull() || source.width() <= 0 || source.height() <= 0 || destRect.isEmpty()) {
        return;
    }
    const QRect clipped = destRect.intersected(target.rect());
    for (int y = clipped.top(); y <= clipped.bottom() && !clipped.isEmpty(); ++y) {
        const auto sy = static_cast<int>(static_cast<std::int64_t>(y - destRect.top()) *
                                         source.height() / destRect.height());
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const auto sx = static_cast<int>(static_cast<std::int64_t>(x - destRect.left()) *
                                             source.width() / destRect.width());
            out[x] = in[sx];
        }
    }
}

void DrawImageTransparent(QImage& target, QPoint dest, const QImage& bitmap, QRgb key) {
    const QRect into = QRect(dest, bitmap.size()).intersected(target.rect());
    for (int y = into.top(); y <= into.bottom() && !into.isEmpty(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y - dest.y()));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = into.left(); x <= into.right(); ++x) {
            const QRgb pixel = in[x - dest.x()];
            if ((pixel & 0xFFFFFF) != (key & 0xFFFFFF)) {
                out[x] = pixel | 0xFF000000;
            }
        }
    }
}

void DrawImageBlended(QImage& target, QPoint dest, const QImage& image) {
    if (image.isNull() || target.isNull()) {
        return;
    }
    QPainter painter(&target);
    painter.drawImage(dest, image);
}

namespace {
Qt::PenStyle QtPenStyle(std::uint32_t style, std::uint32_t width) {
    if (width > 1) {
        return style == 5 ? Qt::NoPen : Qt::SolidLine;
    }
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}
} // namespace

void DrawImageLine(QImage& target, QPoint from, QPoint to, std::uint32_t penStyle,
                   std::uint32_t penWidth, QRgb colour) {
    if (target.isNull() || from == to) {
        return;
    }
    const int width = static_cast<int>(std::min<std::uint32_t>(penWidth, 4096));
    QPen pen(QColor(colour), width <= 1 ? 0 : width, QtPenStyle(penStyle, penWidth));
    // Wide pens end and join round, as the classic geometric pen does; the
    // one-pixel pen keeps leaving out its end point.
    pen.setCapStyle(width <= 1 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setPen(pen);
    // Qt's aliased lines leave out the end point, as the classic line does.
    painter.drawLine(from, to);
}
