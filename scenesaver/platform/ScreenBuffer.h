#pragma once

#include <QImage>
#include <QRect>

#include <functional>
#include <mutex>

// The screen a worker thread draws on: one back buffer in device pixels
// (Format_RGB32) behind a mutex, with the rectangle drawn since the window
// last presented it. Presentation is requested once per batch of drawing:
// the first MarkDirty after a TakeDirty calls the presenter, which queues one
// update to the GUI thread; more drawing before that update only grows the
// rectangle. The worker never waits for the GUI thread.
class CScreenBuffer {
public:
    // Called from the drawing thread; must only queue work, never block.
    using Presenter = std::function<void()>;

    void SetPresenter(Presenter presenter);
    void Resize(QSize devicePixels, QRgb fill);

    // Holds the buffer locked while a caller draws into Image().
    std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex); }
    QImage& Image() { return image; } // only while locked
    QSize Size();

    // Adds a rectangle (device pixels) to what needs presenting.
    void MarkDirty(const QRect& rect);
    // Fills the whole buffer and marks it dirty.
    void Fill(QRgb colour);

    // GUI thread: the dirty rectangle, now cleared.
    QRect TakeDirty();

private:
    std::mutex mutex;
    QImage image;
    QRect dirty;
    Presenter presenter;
};
