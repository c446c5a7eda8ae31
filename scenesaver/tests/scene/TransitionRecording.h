#pragma once

#include "PlaybackSupport.h"
#include "platform/DeviceContext.h"
#include "platform/Drawing.h"
#include "scene/Transition.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <cstdint>
#include <vector>

// A headless screen for one effect: every copy the effect asks for is logged,
// grouped by the step wait that ends it, and the screen is captured at each
// step wait.
class TransitionRecording : public TransitionObserver {
public:
    // The screen starts with a pattern of its own (the old content) so that
    // any pixel written outside the target shows.
    explicit TransitionRecording(QSize screenSize) : screen(screenSize, QImage::Format_RGB32) {
        for (int y = 0; y < screenSize.height(); ++y) {
            for (int x = 0; x < screenSize.width(); ++x) {
                screen.setPixel(x, y, qRgb(x % 256, y % 256, 200));
            }
        }
        before = screen.copy();
    }

    void OnCopy(const TransitionCopy& copy) override { current.push_back(copy); }
    void OnStepWait() override {
        steps.push_back(current);
        current.clear();
        if (keepFrames) {
            frames.push_back(screen.copy());
        }
        if (OutsideChanged()) {
            ++framesWrittenOutside;
        }
    }

    // True when a pixel outside the target rectangle differs from the start.
    bool OutsideChanged() const {
        for (int y = 0; y < screen.height(); ++y) {
            for (int x = 0; x < screen.width(); ++x) {
                if (!target.contains(x, y) && screen.pixel(x, y) != before.pixel(x, y)) {
                    return true;
                }
            }
        }
        return false;
    }

    QImage screen;
    QImage before;
    QRect target;
    bool keepFrames = false;
    std::vector<std::vector<TransitionCopy>> steps; // copies up to each step wait
    std::vector<TransitionCopy> current;            // copies after the last wait
    std::vector<QImage> frames;
    int framesWrittenOutside = 0;
};

// A clock that only moves when the fade sleeps, or also by a fixed amount
// each time it is read.
class FakeClock : public FadeClock {
public:
    explicit FakeClock(std::int64_t perRead) : perRead(perRead) {}
    std::int64_t NowMs() override { return now += perRead; }
    void SleepUntilMs(std::int64_t due) override { now = std::max(now, due); }
    std::int64_t now = 1000;
    std::int64_t perRead;
};

// A picture whose pixels all differ from each other and from the screen's.
inline QImage PatternPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 11) % 256, 17));
        }
    }
    return image;
}

// Runs one effect at full speed, as a show does: the picture placed at
// `position` with its first `offset` columns and rows cut off by the screen
// edge, the target rectangle the visible part.
struct EffectRun {
    EffectRun(std::uint32_t id, QSize visible, QPoint position, QPoint offset,
              QSize screenSize = QSize(80, 64), bool keepFrames = false)
        : recording(screenSize), source(PatternPicture(visible + QSize(offset.x(), offset.y()))),
          work(MakeBitmap(visible, qRgb(0, 0, 0))) {
        const QPoint origin(offset.x() != 0 ? 0 : position.x(), offset.y() != 0 ? 0 : position.y());
        recording.target = QRect(origin, visible);
        recording.keepFrames = keepFrames;
        CTransition transition(id, recording.target, qRgb(0, 0, 0), nullptr, source, work);
        transition.m_sourceBitmap = source;
        transition.m_observer = &recording;
        transition.m_clock = &clock;
        CDC dc(recording.screen, screenSize);
        CPoint point{position.x(), position.y()};
        transition.Run(dc, stage.thread, point, 1000.0, offset);
    }

    // What the target rectangle must show at the end.
    QImage Expected() const {
        return source.copy(QRect(source.width() - work.width(), source.height() - work.height(),
                                 work.width(), work.height()));
    }
    QImage Shown() const { return recording.screen.copy(recording.target); }

    Stage stage;
    FakeClock clock{0};
    TransitionRecording recording;
    QImage source;
    QImage work;
};
