#include "platform/ScreenBuffer.h"

#include <utility>

void CScreenBuffer::SetPresenter(Presenter replacement) {
    std::lock_guard lock(mutex);
    presenter = std::move(replacement);
}

void CScreenBuffer::Resize(QSize devicePixels, QRgb fill) {
    {
        std::lock_guard lock(mutex);
        image = QImage(devicePixels, QImage::Format_RGB32);
        image.fill(fill);
    }
    MarkDirty(QRect(QPoint(0, 0), devicePixels));
}

QSize CScreenBuffer::Size() {
    std::lock_guard lock(mutex);
    return image.size();
}

void CScreenBuffer::MarkDirty(const QRect& rect) {
    Presenter toCall;
    {
        std::lock_guard lock(mutex);
        const QRect clipped = rect.intersected(image.rect());
        if (clipped.isEmpty()) {
            return;
        }
        const bool wasClean = dirty.isEmpty();
        dirty = dirty.united(clipped);
        if (wasClean) {
            toCall = presenter;
        }
    }
    if (toCall) {
        toCall();
    }
}

void CScreenBuffer::Fill(QRgb colour) {
    QRect all;
    {
        std::lock_guard lock(mutex);
        image.fill(colour);
        all = image.rect();
    }
    MarkDirty(all);
}

QRect CScreenBuffer::TakeDirty() {
    std::lock_guard lock(mutex);
    return std::exchange(dirty, QRect());
}
