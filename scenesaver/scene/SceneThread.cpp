#include "scene/SceneThread.h"

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
    worker.Stop();
}

void CSceneThread::Main() {
    if (calibrationMode) {
        CountPolls();
    } else {
        PlayScene();
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
    window->SetBackgroundColor(0, 0x00CC0020 /* SRCCOPY */);
    // Playing the items of the scene is not part of this thread yet; the
    // window stays black until the saver ends.
    (void)scene;
}
