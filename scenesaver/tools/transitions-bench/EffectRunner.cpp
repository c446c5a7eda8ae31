#include "EffectRunner.h"

#include "platform/DeviceContext.h"
#include "platform/Drawing.h"
#include "scene/Transition.h"

#include <chrono>
#include <optional>

namespace {

// A picture with something different in every pixel, so that no copy can be
// skipped as a repeat of its neighbour.
QImage Pattern(QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            row[x] = qRgb((x + seed) % 256, (y * 3 + seed) % 256, (x ^ y) % 256);
        }
    }
    return image;
}

// Time as the fades see it: it only moves when they sleep, so every level is
// drawn and none is skipped.
class PunctualClock : public FadeClock {
public:
    std::int64_t NowMs() override { return now; }
    void SleepUntilMs(std::int64_t due) override { now = std::max(now, due); }

private:
    std::int64_t now = 0;
};

// The fades draw whole frames from the picture; the colour morph draws each
// of its frames from a buffer of red, green and blue bytes.
std::optional<ScreenCopy::Source> WholeFrames(std::uint32_t effect) {
    if (effect == 4 || effect == 65) {
        return ScreenCopy::Picture;
    }
    if (effect == 66) {
        return ScreenCopy::Picture24;
    }
    return std::nullopt;
}

// Logs each copy as it reaches the screen, and counts whole frames.
class DrawingLog : public TransitionObserver {
public:
    DrawingLog(EffectDrawing& drawing, QRect target, std::optional<ScreenCopy::Source> wholeFrames)
        : drawing(drawing), target(target), wholeFrames(wholeFrames) {}

    void OnCopy(const TransitionCopy& copy) override {
        const QRect inside = copy.dest.intersected(QRect(QPoint(0, 0), target.size()));
        if (inside.isEmpty()) {
            return;
        }
        const QPoint shift = inside.topLeft() - copy.dest.topLeft();
        drawing.copies.push_back(
            {target.topLeft() + inside.topLeft(), QRect(copy.from + shift, inside.size()),
             copy.source == CopySource::OldContent ? ScreenCopy::OldContent : ScreenCopy::Picture});
        drawing.bytes += static_cast<std::uint64_t>(inside.width()) *
                         static_cast<std::uint64_t>(inside.height()) * sizeof(QRgb);
    }
    void OnStepWait() override {
        if (!wholeFrames) {
            return;
        }
        ++drawing.frames;
        drawing.copies.push_back(
            {target.topLeft(), QRect(QPoint(0, 0), target.size()), *wholeFrames});
        drawing.bytes += static_cast<std::uint64_t>(target.width()) *
                         static_cast<std::uint64_t>(target.height()) * sizeof(QRgb);
    }

private:
    EffectDrawing& drawing;
    QRect target;
    std::optional<ScreenCopy::Source> wholeFrames;
};

} // namespace

class EffectRunner::Window : public CSceneWindow {
public:
    explicit Window(QSize size) {
        screen.Resize(size, qRgb(0, 0, 0));
        screen.SetPresenter([] {});
    }
    CScreenBuffer& Screen() override { return screen; }
    void SetBackgroundColor(std::uint32_t, std::uint32_t) override {}
    std::uint32_t BackgroundColor() const override { return 0; }
    bool IsMuted() const override { return true; }
    void SetLink(const std::string&, std::int32_t) override {}
    void ClearLink() override {}

    CScreenBuffer screen;
};

EffectRunner::EffectRunner(QSize screenSize)
    : picture(Pattern(screenSize, 0)), oldContent(Pattern(screenSize, 101)),
      window(std::make_unique<Window>(screenSize)),
      thread(window.get(), &scene, &calibrationCount, false) {}

EffectRunner::~EffectRunner() = default;

void EffectRunner::ResetScreen() {
    {
        auto lock = window->screen.Lock();
        CopyImageRect(window->screen.Image(), QPoint(0, 0), oldContent, oldContent.rect());
    }
    window->screen.TakeDirty();
}

void EffectRunner::RunEffect(std::uint32_t effect, TransitionObserver* observer) {
    QImage work = MakeBitmap(picture.size(), qRgb(0, 0, 0));
    CTransition transition(effect, Target(), qRgb(0, 0, 0), nullptr, picture, work);
    if (effect == 4 || effect == 65) {
        transition.m_sourceBitmap = picture;
    }
    PunctualClock clock;
    transition.m_clock = &clock;
    transition.m_observer = observer;
    CDC dc(window->screen);
    CPoint point{0, 0};
    // Effect speed 100, as fast as a scene can ask for.
    transition.Run(dc, thread, point, 1100.0 - 100.0, QPoint(0, 0));
}

EffectDrawing EffectRunner::Record(std::uint32_t effect) {
    EffectDrawing drawing;
    DrawingLog log(drawing, Target(), WholeFrames(effect));
    ResetScreen();
    RunEffect(effect, &log);
    return drawing;
}

double EffectRunner::Time(std::uint32_t effect) {
    ResetScreen();
    const auto start = std::chrono::steady_clock::now();
    RunEffect(effect, nullptr);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
