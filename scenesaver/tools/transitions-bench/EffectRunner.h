#pragma once

#include "platform/ScreenBuffer.h"
#include "scene/Scene.h"
#include "scene/SceneThread.h"
#include "scene/Transition.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>
#include <vector>

// One block transfer as it reached the screen: cut to the target rectangle,
// in screen coordinates.
struct ScreenCopy {
    enum Source { Picture, OldContent, Picture24 };
    QPoint to;
    QRect from;
    Source source = Picture;
};

// What one effect drew.
struct EffectDrawing {
    std::vector<ScreenCopy> copies;
    std::uint64_t bytes = 0;
    std::uint64_t frames = 0; // whole-rectangle frames of the fades and the morph
};

// Runs effects on a full-screen picture the way a show does, on a screen
// buffer of its own, with a calibration count of 0 so that no step waits,
// and a fade clock that is never late.
class EffectRunner {
public:
    explicit EffectRunner(QSize screenSize);
    ~EffectRunner();

    // Puts the old content back on the screen, so that every run starts alike.
    void ResetScreen();
    // Runs the effect once while logging what it draws.
    EffectDrawing Record(std::uint32_t effect);
    // Runs the effect once; milliseconds.
    double Time(std::uint32_t effect);

    const QImage& Picture() const { return picture; }
    const QImage& OldContent() const { return oldContent; }
    QRect Target() const { return QRect(QPoint(0, 0), picture.size()); }

private:
    class Window;
    void RunEffect(std::uint32_t effect, TransitionObserver* observer);

    QImage picture;
    QImage oldContent;
    std::unique_ptr<Window> window;
    CScene scene;
    std::uint32_t calibrationCount = 0;
    CSceneThread thread;
};
