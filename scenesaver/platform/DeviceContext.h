#pragma once

#include "platform/Drawing.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>

class CScreenBuffer;

// A device context: the screen's back buffer or a memory bitmap, with the
// block transfers the scene draws with. Screen drawing locks the buffer for
// each operation and marks what changed for presentation; the lock is never
// held while the caller waits. ScreenSize() is the screen's pixel size in
// both cases, as the device's resolution is for a memory context.
class CDC {
public:
    explicit CDC(CScreenBuffer& screen);
    CDC(QImage& memory, QSize screenSize);

    QSize ScreenSize() const { return screenSize; }
    bool IsScreen() const { return screen != nullptr; }

    void FillSolidRect(const QRect& rect, QRgb colour);
    void BitBlt(QPoint dest, const QImage& source, const QRect& sourceRect);
    void StretchBlt(const QRect& destRect, const QImage& source);
    void DrawTransparent(QPoint dest, const QImage& bitmap, QRgb key);
    void LineTo(QPoint from, QPoint to, std::uint32_t penStyle, std::uint32_t penWidth,
                QRgb colour);
    // Hands the device's pixels to a drawing routine of the caller's, as a
    // library that draws on a device context does; `changed` is the area the
    // routine may draw on.
    void DrawWith(const QRect& changed, const std::function<void(QImage& device)>& draw);
    // The area as a new bitmap; parts off the device are black.
    QImage Copy(const QRect& area);

private:
    template <class Draw>
    void Paint(const QRect& changed, Draw draw);

    CScreenBuffer* screen = nullptr;
    QImage* memory = nullptr;
    QSize screenSize;
};
