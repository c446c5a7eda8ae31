#pragma once

#include "scene/SceneValues.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstdint>

class CDC;
class CSceneThread;

enum class CopySource { Picture, OldContent };

// One block transfer an effect asked for, in target-rectangle coordinates,
// before it is cut to the rectangle.
struct TransitionCopy {
    QRect dest;
    QPoint from;
    CopySource source = CopySource::Picture;
    bool operator==(const TransitionCopy&) const = default;
};

// Watches an effect at work: every copy it asks for and every step wait.
class TransitionObserver {
public:
    virtual ~TransitionObserver() = default;
    virtual void OnCopy(const TransitionCopy& copy) = 0;
    virtual void OnStepWait() = 0;
};

// The time the fades pace themselves by, in milliseconds.
class FadeClock {
public:
    virtual ~FadeClock() = default;
    virtual std::int64_t NowMs() = 0;
    virtual void SleepUntilMs(std::int64_t due) = 0;
};

// Builds a picture up on screen step by step with one transition effect. One
// object per show; the effects read what they need from it.
class CTransition {
public:
    CTransition(std::uint32_t effect, const QRect& target, QRgb background, const QImage* icon,
                const QImage& source, QImage& work);

    // Runs the effect with the step setting a (1100 - effect speed) at the
    // target point. A source offset moves the target point to 0 on that axis,
    // in the caller's point too.
    void Run(CDC& screen, CSceneThread& thread, CPoint& targetPoint, double setting,
             QPoint sourceOffset);

    // True once the saver is stopping: from then on nothing more is drawn.
    bool IsStopping() const;

    // The pause between two steps of an effect.
    void StepWait() { StepWait(m_setting); }
    void StepWait(double setting);

    // Copies cw by ch pixels from (sx, sy) of the picture or the old content
    // to (dx, dy) of the target rectangle. Only the part inside the rectangle
    // is drawn, so rows that start left of or above it stay safe. Once the
    // saver is stopping nothing is drawn: the effect runs out at once instead
    // of holding up the exit (a full-screen diagonal band makes millions of
    // copies).
    void Copy(int dx, int dy, int cw, int ch, CopySource from, int sx, int sy);
    // The whole picture in place, what most effects end with.
    void FullCopy() { Copy(0, 0, w, h, CopySource::Picture, 0, 0); }
    // Keeps what the screen shows under the target rectangle now, for the
    // effects that move the old content out.
    void TakeOldContent();

    std::uint32_t m_effect;
    QRect m_target;
    QRgb m_background;
    const QImage* m_icon; // icons only
    const QImage& m_source;
    QImage& m_work;
    QImage m_sourceBitmap; // for the fades
    QImage m_old;          // the old content, for the effects that use it
    TransitionObserver* m_observer = nullptr;
    FadeClock* m_clock = nullptr; // null: the steady clock

    // Valid while Run() is running.
    CDC* m_screen = nullptr;
    CSceneThread* m_thread = nullptr;
    double m_setting = 0;
    int X = 0;
    int Y = 0;
    int w = 0;
    int h = 0;
};

// Fills the work bitmap with the background and copies the picture onto it
// from the source offset; icons are first drawn over the background.
void PrepareWorkBitmap(QImage& work, const QImage& source, const QImage* icon, QRgb background,
                       QPoint sourceOffset);

// What one effect draws. Null for ids that draw nothing.
using TransitionEffect = void (*)(CTransition& transition);
TransitionEffect EffectFor(std::uint32_t id);

inline constexpr std::uint32_t FIRST_EFFECT = 4;
inline constexpr std::uint32_t LAST_EFFECT = 76;
