#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstdint>

// Block transfers and fills on Format_RGB32 images, the way the scene draws:
// no antialiasing, no smoothing, and every copy clipped to both its source
// and its target, so that a picture partly off screen or a rectangle reaching
// past a bitmap never touches memory outside either image.

// 0x00BBGGRR, the form scene data stores colours in.
QRgb ColorRefToRgb(std::uint32_t colour);

// An image of the size, filled with the colour; null for an empty size.
QImage MakeBitmap(QSize size, QRgb fill);

void FillImageRect(QImage& target, const QRect& rect, QRgb colour);

// Copies sourceRect of source to dest in target.
void CopyImageRect(QImage& target, QPoint dest, const QImage& source, const QRect& sourceRect);

// Draws source at dest with every colour byte v shown as trunc(v * level /
// 256), level 0 to 256, clipped to the target.
void DrawImageDimmed(QImage& target, QPoint dest, const QImage& source, int level);

// The area of source as a new image of the area's size; parts outside source
// are black.
QImage CopyImageArea(const QImage& source, const QRect& area);

// Scales the whole source onto destRect, nearest pixel. Nothing for an empty
// source or destination.
void StretchImage(QImage& target, const QRect& destRect, const QImage& source);

// Draws bitmap at dest leaving out exactly the pixels of the key colour.
void DrawImageTransparent(QImage& target, QPoint dest, const QImage& bitmap, QRgb key);

// Draws over image pixels with alpha (icons).
void DrawImageBlended(QImage& target, QPoint dest, const QImage& image);

// The classic pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 none, 6 inside frame (solid). Styled pens wider than one pixel draw solid
// with round ends; a one-pixel line leaves its end point itself out.
void DrawImageLine(QImage& target, QPoint from, QPoint to, std::uint32_t penStyle,
                   std::uint32_t penWidth, QRgb colour);
