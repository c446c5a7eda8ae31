#pragma once

#include "platform/Event.h"

#include <QPoint>
#include <QPointer>

#include <memory>
#include <string>

class QWidget;
class CVideoWnd;
class CVideoPlayWnd;

// The commands the media window understands.
enum VideoCommand : int {
    videoOpen = 100, // the path of the video file
    videoPlay = 110, // repeat: play until stopped; otherwise once
    videoStop = 120,
    videoClose = 130,    // also hides the window
    videoPosition = 140, // where the window's top left corner goes
};

struct VideoCommandArgs {
    std::string path;
    bool repeat = false;
    QPoint position;
    bool mute = false;
};

// The videos of one saver window. The window's thread owns the video
// widgets; any other thread's commands are queued to it and waited for
// together with that thread's stop event, so that a scene thread never holds
// up a window thread that is waiting for it to stop.
class CVideoHost {
public:
    // On the window's thread: makes the hidden media window, a child of the
    // saver window.
    explicit CVideoHost(QWidget* saverWindow);
    ~CVideoHost();
    CVideoHost(const CVideoHost&) = delete;
    CVideoHost& operator=(const CVideoHost&) = delete;

    // Carries out a media window command. False when the stop came first
    // or the command failed (a video that cannot be opened).
    bool Command(VideoCommand command, const VideoCommandArgs& args, Event* stop);

    // Plays the file once (or, with repeat, until stopped) in a player window
    // of its own at the position and returns when it has ended, the stop
    // event is set or CloseWaitedPlayer ends it. False when it could not play.
    bool PlayAndWait(const VideoCommandArgs& args, Event* stop);
    // Ends a waited-for play; on any thread.
    void CloseWaitedPlayer();

    // The saver window's keyboard focus back from a video.
    void FocusSaverWindow(Event* stop);

    // The media window, for looking at on the window's thread.
    CVideoWnd* MediaWindow() const;

    // The window thread's widgets, reached only on that thread; queued work
    // holds it, so that work still queued at the host's end is harmless.
    struct Widgets {
        QPointer<QWidget> saverWindow;
        QPointer<CVideoWnd> mediaWindow;
        QPointer<CVideoPlayWnd> player;
    };

private:
    std::shared_ptr<Widgets> widgets = std::make_shared<Widgets>();
};
