#pragma once

#include "platform/VideoHost.h"
#include "platform/VideoStream.h"

#include <QImage>
#include <QWidget>

#include <mutex>
#include <string>

// The media window: a child of the saver window that shows one video at a
// time, driven by the media window commands. No pointer shows over it.
class CVideoWnd : public QWidget {
    Q_OBJECT

public:
    explicit CVideoWnd(QWidget* parent);
    ~CVideoWnd() override;

    // Carries out one command; false when it failed.
    bool OnCommand(VideoCommand command, const VideoCommandArgs& args);
    CVideoStream& Stream() { return stream; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool PlayFile(bool repeat, bool mute);

private:
    void ShowFrame(const QImage& frame);

    std::string path;
    QPoint position;
    CVideoStream stream;
    std::mutex frameMutex;
    QImage frame;
};

// The player window of one video that the scene waits for; it plays once or
// repeating, with or without its sound, and is destroyed after the play.
class CVideoPlayWnd : public CVideoWnd {
    Q_OBJECT

public:
    explicit CVideoPlayWnd(QWidget* parent) : CVideoWnd(parent) {}

    bool mute = false;

    bool Play(bool repeat, const QPoint& at, const std::string& file);
};
