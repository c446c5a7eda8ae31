#pragma once

#include "imglib/ImgTypes.h"

#include <QImage>

// Device bitmaps and device contexts are QImages in the screen's format
// (Format_RGB32): plain memory, so that any thread may make and draw them.
// Pictures cross at their own size; nothing here scales.

// A device bitmap made from an R, G, B buffer; a null image on failure.
QImage img_dib_to_ddb(const std::uint8_t* rgb, int width, int height);

// The rectangle of the device at (x, y) as an R, G, B buffer, top row first.
// Parts of the rectangle outside the device come back black.
ImgBuffer img_dc_to_dib(const QImage* device, int x, int y, int width, int height);

// Draws the top-left copyWidth x copyHeight of a width x height R, G, B
// buffer at (x, y) of the device, clipped to the device. Nonzero on success.
int img_draw(QImage* device, const std::uint8_t* rgb, int width, int height, int x, int y,
             int copyWidth, int copyHeight);
