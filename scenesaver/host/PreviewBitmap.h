#pragma once

#include <QImage>

// Bitmap 144, the 96 by 112 picture at the left of the preview: a small
// screen on its stand showing a scene of hills under a sun.
QImage PreviewBitmap();
