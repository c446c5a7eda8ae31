#include "platform/VideoWindow.h"

#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>

CVideoWnd::CVideoWnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::BlankCursor);
    // Input belongs to the saver window: its exit rules must see every move.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

CVideoWnd::~CVideoWnd() {
    stream.Close();
}

bool CVideoWnd::OnCommand(VideoCommand command, const VideoCommandArgs& args) {
    switch (command) {
    case videoOpen:
        path = args.path;
        return stream.Open(path);
    case videoPlay:
        return PlayFile(args.repeat, args.mute);
    case videoStop:
        stream.Stop();
        return true;
    case videoClose:
        stream.Close();
        hide();
        return true;
    case videoPosition:
        position = args.position;
        return true;
    }
    return false;
}

bool CVideoWnd::PlayFile(bool repeat, bool mute) {
    if (!stream.IsOpen()) {
        return false;
    }
    {
        std::lock_guard lock(frameMutex);
        frame = QImage();
    }
    setGeometry(QRect(position, stream.NativeSize()));
    if (!stream.Start(repeat, mute, [this](const QImage& next) { ShowFrame(next); })) {
        return false;
    }
    show();
    raise();
    return true;
}

// On the decoding thread: the newest frame replaces the last, and one
// queued repaint shows it.
void CVideoWnd::ShowFrame(const QImage& next) {
    {
        std::lock_guard lock(frameMutex);
        frame = next;
    }
    QMetaObject::invokeMethod(
        this, [this] { update(); }, Qt::QueuedConnection);
}

void CVideoWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    std::lock_guard lock(frameMutex);
    if (frame.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
    } else {
        painter.drawImage(QPoint(0, 0), frame);
    }
}

bool CVideoPlayWnd::Play(bool repeat, const QPoint& at, const std::string& file) {
    VideoCommandArgs args;
    args.path = file;
    args.position = at;
    return OnCommand(videoOpen, args) && OnCommand(videoPosition, args) && PlayFile(repeat, mute);
}
