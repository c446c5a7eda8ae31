#pragma once

#include "platform/WorkerThread.h"

#include <cstdint>
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
    virtual bool IsMuted() const = 0;
    virtual void SetLink(const std::string& text, std::int32_t triggerKey) = 0;
    virtual void ClearLink() = 0;
};

// The worker thread of run mode. In calibration mode it only counts how
// often it can poll its stop event until it is asked to stop; otherwise it
// plays the scene on the window.
//
// Stop protocol: Stop() sets the stop event, waits for the finished event
// (set by the thread as the last thing it does) and then joins the thread.
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

private:
    void Main();
    void CountPolls();
    void PlayScene();

    CSceneWindow* window;
    CScene* scene;
    std::uint32_t* calibrationCount;
    bool calibrationMode;
    CWorkerThread worker;
};
