#include "platform/DeviceContext.h"
#include "platform/Drawing.h"
#include "scene/SceneThread.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace {

class SteadyClock : public FadeClock {
public:
    std::int64_t NowMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void SleepUntilMs(std::int64_t due) override {
        const auto wait = due - NowMs();
        if (wait > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        }
    }
};

// The source bitmap at the target point with every colour byte v shown as
// v * level / 256.
void DrawLevel(CTransition& t, int level) {
    const QImage& source = t.m_sourceBitmap;
    const QPoint at(t.X, t.Y);
    t.m_screen->DrawWith(QRect(at, source.size()),
                         [&](QImage& screen) { DrawImageDimmed(screen, at, source, level); });
    if (t.m_observer != nullptr) {
        t.m_observer->OnStepWait();
    }
}

} // namespace

void Fade(CTransition& t, bool in) {
    constexpr int LEVELS = 256;
    const int perLevel = (in ? 11 : 12) - static_cast<int>(t.m_setting) / 100;
    if (!t.m_sourceBitmap.isNull() && perLevel > 0) {
        SteadyClock steady;
        FadeClock& clock = t.m_clock != nullptr ? *t.m_clock : steady;
        const std::int64_t start = clock.NowMs();
        for (int k = 0; k < LEVELS && !t.IsStopping();) {
            DrawLevel(t, in ? k : LEVELS - 1 - k);
            const std::int64_t next = start + static_cast<std::int64_t>(k + 1) * perLevel;
            const std::int64_t now = clock.NowMs();
            if (now < next) {
                clock.SleepUntilMs(next);
                ++k;
            } else {
                k = static_cast<int>(std::max<std::int64_t>(k + 1, (now - start) / perLevel));
            }
        }
    }
    if (in) {
        t.FullCopy();
    } else if (!t.IsStopping()) {
        t.m_screen->FillSolidRect(QRect(t.X, t.Y, t.w, t.h), qRgb(0, 0, 0));
    }
}
