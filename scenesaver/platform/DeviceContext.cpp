#include "platform/DeviceContext.h"

#include "platform/ScreenBuffer.h"

CDC::CDC(CScreenBuffer& screen) : screen(&screen), screenSize(screen.Size()) {}

CDC::CDC(QImage& memory, QSize screenSize) : memory(&memory), screenSize(screenSize) {}

template <class Draw>
void CDC::Paint(const QRect& changed, Draw draw) {
    if (memory != nullptr) {
        draw(*memory);
        return;
    }
    {
        auto lock = screen->Lock();
        draw(screen->Image());
    }
    screen->MarkDirty(changed);
}

void CDC::FillSolidRect(const QRect& rect, QRgb colour) {
    Paint(rect, [&](QImage& target) { FillImageRect(target, rect, colour); });
}

void CDC::BitBlt(QPoint dest, const QImage& source, const QRect& sourceRect) {
    Paint(QRect(dest, sourceRect.size()),
          [&](QImage& target) { CopyImageRect(target, dest, source, sourceRect); });
}

void CDC::StretchBlt(const QRect& destRect, const QImage& source) {
    Paint(destRect, [&](QImage& target) { StretchImage(target, destRect, source); });
}

void CDC::DrawTransparent(QPoint dest, const QImage& bitmap, QRgb key) {
    Paint(QRect(dest, bitmap.size()),
          [&](QImage& target) { DrawImageTransparent(target, dest, bitmap, key); });
}

void CDC::LineTo(QPoint from, QPoint to, std::uint32_t penStyle, std::uint32_t penWidth,
                 QRgb colour) {
    const int margin = static_cast<int>(std::min<std::uint32_t>(penWidth, 4096)) + 1;
    const QRect changed = QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin);
    Paint(changed,
          [&](QImage& target) { DrawImageLine(target, from, to, penStyle, penWidth, colour); });
}

void CDC::DrawWith(const QRect& changed, const std::function<void(QImage& device)>& draw) {
    Paint(changed, draw);
}

QImage CDC::Copy(const QRect& area) {
    if (memory != nullptr) {
        return CopyImageArea(*memory, area);
    }
    auto lock = screen->Lock();
    return CopyImageArea(screen->Image(), area);
}
