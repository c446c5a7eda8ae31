#include "scene/SceneThread.h"

#include "platform/DeviceContext.h"
#include "platform/MessageBox.h"
#include "scene/Scene.h"
#include "scene/SceneItem.h"
#include "scene/Timing.h"

#include <thread>

CSceneThread::CSceneThread(CSceneWindow* window, CScene* scene, std::uint32_t* calibrationCount,
                           bool calibrationMode)
    : window(window), scene(scene), calibrationCount(calibrationCount),
      calibrationMode(calibrationMode) {}

CSceneThread::~CSceneThread() {
    Stop();
}

bool CSceneThread::Start() {
    return worker.Start([this] { Main(); });
}

void CSceneThread::Stop() {
    if (worker.IsRunning()) {
        media->StopBeforeExit();
    }
    worker.Stop();
}

void CSceneThread::Main() {
    if (calibrationMode) {
        CountPolls();
    } else {
        // The window's thread may be waiting for this one to stop.
        SetMessageBoxStopEvent(&StopEvent());
        PlayScene();
        SetMessageBoxStopEvent(nullptr);
    }
}

void CSceneThread::CountPolls() {
    if (calibrationCount == nullptr) {
        return;
    }
    // Each pass is one zero-time-out poll of the stop event, the unit the
    // calibrated waits of the animations are measured in.
    std::uint32_t count = *calibrationCount;
    while (!worker.StopEvent().isSet() && count != 0xFFFFFFFFu) {
        ++count;
    }
    *calibrationCount = count;
}

void CSceneThread::PlayScene() {
    if (window == nullptr) {
        return;
    }
    CDC dc(window->Screen());
    window->SetBackgroundColor(0, 0x00CC0020 /* SRCCOPY */);
    if (scene != nullptr) {
        const auto& items = scene->Items();
        for (int i = 0; i < static_cast<int>(items.size()) && !IsStopping(); ++i) {
            CSceneItem& item = *items[static_cast<std::size_t>(i)];
            if (!item.IsDisabled()) {
                item.Run(dc, i, *this);
            }
        }
    }
    media->StopAll();
}

void CSceneThread::CalibratedWait(double setting, double scale) {
    const std::uint32_t count = calibrationCount != nullptr ? *calibrationCount : 0;
    const auto wait = CalibratedWaitTime(setting, scale, count);
    if (wait.count() <= 0) {
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    // The kernel wakes a sleeper a little late; sleeping until shortly before
    // the deadline and polling the rest keeps steps as short as asked.
    constexpr auto polledTail = std::chrono::microseconds(200);
    if (StopEvent().waitUntil(deadline - polledTail)) {
        return;
    }
    while (Clock::now() < deadline && !IsStopping()) {
        std::this_thread::yield();
    }
}

void CSceneThread::ChunkedSleep(std::uint32_t milliseconds) {
    for (std::uint32_t chunk = 0; chunk < milliseconds / 100; ++chunk) {
        if (IsStopping() || sleepOnStop(std::chrono::milliseconds(100))) {
            return;
        }
    }
    if (milliseconds % 100 != 0 && !IsStopping()) {
        sleepOnStop(std::chrono::milliseconds(milliseconds % 100));
    }
}
