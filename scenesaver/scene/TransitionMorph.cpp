#include "imglib/DeviceBitmap.h"
#include "platform/DeviceContext.h"
#include "platform/VectorClones.h"
#include "scene/SceneThread.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Moves every value one step toward its goal; false once all are there.
// Branch-free, so that the compiler can step many values at once: a frame of
// a full-screen morph steps millions of them.
VECTOR_CLONES bool StepToward(std::uint8_t* values, const std::uint8_t* goal, std::size_t count) {
    std::uint8_t moved = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t value = values[i];
        const auto up = static_cast<std::uint8_t>(value < goal[i]);
        const auto down = static_cast<std::uint8_t>(value > goal[i]);
        values[i] = static_cast<std::uint8_t>(value + up - down);
        moved |= static_cast<std::uint8_t>(up | down);
    }
    return moved != 0;
}

} // namespace

void ColourMorph(CTransition& t) {
    const QImage shown = t.m_screen->Copy(QRect(t.X, t.Y, t.w, t.h));
    const ImgBuffer current = img_dc_to_dib(&shown, 0, 0, t.w, t.h);
    const ImgBuffer goal = img_dc_to_dib(&t.m_work, 0, 0, t.w, t.h);
    if (!current || !goal) {
        t.FullCopy();
        return;
    }
    // Each frame steps and draws a band of rows at a time, while the band is
    // still in the cache; a band in which nothing moved is already on screen.
    constexpr int BAND = 16;
    const std::size_t rowBytes = static_cast<std::size_t>(t.w) * 3;
    while (!t.IsStopping()) {
        bool moved = false;
        t.m_screen->DrawWith(QRect(t.X, t.Y, t.w, t.h), [&](QImage& screen) {
            for (int top = 0; top < t.h; top += BAND) {
                const int rows = std::min(BAND, t.h - top);
                const std::size_t start = static_cast<std::size_t>(top) * rowBytes;
                std::uint8_t* band = current.get() + start;
                if (StepToward(band, goal.get() + start,
                               static_cast<std::size_t>(rows) * rowBytes)) {
                    moved = true;
                    img_draw(&screen, band, t.w, rows, t.X, t.Y + top, t.w, rows);
                }
            }
        });
        if (!moved) {
            return;
        }
        t.StepWait();
    }
}
