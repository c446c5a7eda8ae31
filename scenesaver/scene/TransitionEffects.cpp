#include "platform/DeviceContext.h"
#include "scene/Transition.h"

#include <array>

namespace {

// The whole prepared picture in one transfer: what every effect ends with,
// and what an effect shows until its own steps are written.
void PlainCopy(CTransition& t) {
    t.m_screen->BitBlt(QPoint(t.X, t.Y), t.m_work, QRect(0, 0, t.w, t.h));
}

using EffectTable = std::array<TransitionEffect, LAST_EFFECT + 1>;

EffectTable MakeTable() {
    EffectTable table{};
    for (std::uint32_t id = FIRST_EFFECT; id <= LAST_EFFECT; ++id) {
        table[id] = PlainCopy;
    }
    return table;
}

const EffectTable effects = MakeTable();

} // namespace

TransitionEffect EffectFor(std::uint32_t id) {
    return id < effects.size() ? effects[id] : nullptr;
}
