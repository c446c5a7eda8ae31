#include "imglib/DeviceBitmap.h"
#include "platform/DeviceContext.h"
#include "scene/SceneThread.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

#include <cstddef>
#include <cstdint>

namespace {

// Moves every value one step toward its goal; false once all are there.
bool StepToward(std::uint8_t* values, const std::uint8_t* goal, std::size_t count) {
    bool moved = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (values[i] < goal[i]) {
            ++values[i];
            moved = true;
        } else if (values[i] > goal[i]) {
            --values[i];
            moved = true;
        }
    }
    return moved;
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
    const std::size_t count = static_cast<std::size_t>(t.w) * static_cast<std::size_t>(t.h) * 3;
    QImage frame(t.w, t.h, QImage::Format_RGB32);
    while (StepToward(current.get(), goal.get(), count)) {
        img_draw(&frame, current.get(), t.w, t.h, 0, 0, t.w, t.h);
        t.m_screen->BitBlt(QPoint(t.X, t.Y), frame, frame.rect());
        if (t.m_thread != nullptr && t.m_thread->IsStopping()) {
            return;
        }
        t.StepWait();
    }
}
