#pragma once

#include <QImage>
#include <QSize>

// A device bitmap: pixels in the screen's format (QImage::Format_RGB32) plus
// the dimension attribute, which carries a loaded picture's size in pixels.
// Plain QImage, never QPixmap, so that worker threads may use it.
class CBitmap {
public:
    QImage image;
    QSize dimension{0, 0};

    bool IsNull() const { return image.isNull(); }
    void DeleteObject() {
        image = QImage();
        dimension = QSize(0, 0);
    }
};
