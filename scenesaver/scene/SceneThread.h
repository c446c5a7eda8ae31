#pragma once

#include "platform/WorkerThread.h"
#include "scene/SceneMedia.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CScene;
class CScreenBuffer;

// What the scene thread needs from the window it plays on. The saver window
// implements it; every call may come from the scene thread.
class CSceneWindow {
public:
    virtual ~CSceneWindow() = default;

    virtual CScreenBuffer& Screen() = 0;
    // Stores the colour (0x00BBGGRR) that erases the window and repaints it
    // completely with it; the raster operation is kept but not used.
    virtual void SetBackgroundColor(std::uint32_t colour, std::uint32_t rasterOperation) = 0;
    virtual std::uint32_t BackgroundColor() const = 0;
    virtual bool IsMuted() const = 0;
    virtual void SetLink(const std::string& text, std::int32_t triggerKey) = 0;
    virtual void ClearLink() = 0;
};

// The worker thread of run mode. In calibration mode it only counts how
// often it can poll its stop event until it is asked to stop; otherwise it
// plays the scene on the window.
//
// Stop protocol: Stop() first ends the music and the videos (the media's
// StopBeforeExit), then sets the stop event, waits for the finished event
// (set by the thread as the last thing it does) and joins the thread.
// The owner deletes the object after Stop().
class CSceneThread {
public:
    CSceneThread(CSceneWindow* window, CScene* scene, std::uint32_t* calibrationCount,
                 bool calibrationMode);
    ~CSceneThread();
    CSceneThread(const CSceneThread&) = delete;
    CSceneThread& operator=(const CSceneThread&) = delete;

    // False when the thread could not be started.
    bool Start();
    void Stop();

    Event& StopEvent() { return worker.StopEvent(); }
    Event& FinishedEvent() { return worker.FinishedEvent(); }
    bool IsStopping() { return worker.StopEvent().isSet(); }

    CSceneWindow& Window() { return *window; }
    CSceneMedia& Media() { return *media; }
    // Replaces the players; for tests and for the media code once it exists.
    void SetMedia(std::unique_ptr<CSceneMedia> replacement) { media = std::move(replacement); }

    // Waits the calibrated time for the setting on the scale, ending early
    // when the stop event is set. It sleeps on the event up to a high
    // resolution deadline instead of polling, so that animations cost almost
    // no processor time; only the last fraction of a millisecond is polled.
    void CalibratedWait(double setting, double scale);
    // Sleeps in 100 ms chunks and then the remainder, leaving at once when
    // the stop event is set.
    void ChunkedSleep(std::uint32_t milliseconds);
    // How a chunk is slept: a wait on the stop event, true when it was set.
    // Replaceable so that tests see the chunks without spending the time.
    std::function<bool(std::chrono::milliseconds)> sleepOnStop =
        [this](std::chrono::milliseconds time) { return StopEvent().waitFor(time); };

    // The whole work of run mode, on the calling thread; Start() runs it on
    // the worker.
    void PlayScene();

    // The desktop snapshot and the wallpaper picture the application wrote,
    // which pictures of those sources show.
    struct DesktopPictures {
        std::string desktop;
        std::string wallpaper;
    };
    void SetDesktopPictures(DesktopPictures files) { desktopPictures = std::move(files); }
    const DesktopPictures& GetDesktopPictures() const { return desktopPictures; }

private:
    void Main();
    void CountPolls();

    CSceneWindow* window;
    CScene* scene;
    std::uint32_t* calibrationCount;
    bool calibrationMode;
    std::unique_ptr<CSceneMedia> media = std::make_unique<CSilentMedia>();
    DesktopPictures desktopPictures;
    CWorkerThread worker;
};
