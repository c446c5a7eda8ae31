#include "platform/VideoHost.h"

#include "platform/VideoWindow.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <utility>

namespace {
bool OnWindowThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

// Runs the work on the window's thread: at once when called there, else
// queued and waited for together with the stop event. Work still queued when
// the stop comes first is dropped unseen.
template <typename Work>
bool RunOnWindowThread(Work work, Event* stop) {
    if (OnWindowThread()) {
        return work();
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    struct Call {
        Event done;
        std::atomic<bool> cancelled = false;
        std::atomic<bool> result = false;
    };
    auto call = std::make_shared<Call>();
    QMetaObject::invokeMethod(
        app,
        [call, work = std::move(work)]() mutable {
            if (!call->cancelled) {
                call->result = work();
            }
            call->done.set();
        },
        Qt::QueuedConnection);
    Event neverSet;
    if (Event::waitAny({&call->done, stop != nullptr ? stop : &neverSet}) != 0) {
        call->cancelled = true;
        return false;
    }
    return call->result;
}
} // namespace

CVideoHost::CVideoHost(QWidget* saverWindow) {
    widgets->saverWindow = saverWindow;
    widgets->mediaWindow = new CVideoWnd(saverWindow);
}

CVideoHost::~CVideoHost() {
    if (OnWindowThread()) {
        delete widgets->player.data();
        delete widgets->mediaWindow.data();
    }
}

CVideoWnd* CVideoHost::MediaWindow() const {
    return widgets->mediaWindow.data();
}

bool CVideoHost::Command(VideoCommand command, const VideoCommandArgs& args, Event* stop) {
    return RunOnWindowThread(
        [state = widgets, command, args] {
            return state->mediaWindow && state->mediaWindow->OnCommand(command, args);
        },
        stop);
}

bool CVideoHost::PlayAndWait(const VideoCommandArgs& args, Event* stop) {
    // Filled on the window's thread; shared, since work given up for the
    // stop may still run after this call has returned.
    auto ended = std::make_shared<std::shared_ptr<Event>>();
    const bool started = RunOnWindowThread(
        [state = widgets, args, ended] {
            if (!state->saverWindow) {
                return false;
            }
            delete state->player.data();
            auto* player = new CVideoPlayWnd(state->saverWindow);
            state->player = player;
            player->mute = args.mute;
            *ended = player->Stream().EndedEvent();
            return player->Play(args.repeat, args.position, args.path);
        },
        stop);
    if (started && *ended) {
        Event neverSet;
        Event::waitAny({ended->get(), stop != nullptr ? stop : &neverSet});
    }
    // The window goes after its play, whether it played or not.
    RunOnWindowThread(
        [state = widgets] {
            delete state->player.data();
            return true;
        },
        stop);
    return started;
}

void CVideoHost::CloseWaitedPlayer() {
    auto close = [state = widgets] {
        // Destroying the window stops its stream, which ends the wait.
        delete state->player.data();
        return true;
    };
    if (OnWindowThread()) {
        close();
    } else if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(app, std::move(close), Qt::QueuedConnection);
    }
}

void CVideoHost::FocusSaverWindow(Event* stop) {
    RunOnWindowThread(
        [state = widgets] {
            if (state->saverWindow) {
                state->saverWindow->activateWindow();
                state->saverWindow->setFocus();
            }
            return true;
        },
        stop);
}
