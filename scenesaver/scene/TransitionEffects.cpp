#include "platform/DeviceContext.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

#include <array>

namespace {

// The whole prepared picture in one transfer: what every effect ends with,
// and what an effect shows until its own steps are written.
void PlainCopy(CTransition& t) {
    t.FullCopy();
}

template <void (*Family)(CTransition&, Heading), Heading heading>
void With(CTransition& t) {
    Family(t, heading);
}

template <bool rows>
void BlindsOf(CTransition& t) {
    Blinds(t, rows);
}

using EffectTable = std::array<TransitionEffect, LAST_EFFECT + 1>;

EffectTable MakeTable() {
    EffectTable table{};
    for (std::uint32_t id = FIRST_EFFECT; id <= LAST_EFFECT; ++id) {
        table[id] = PlainCopy;
    }
    table[11] = BlindsOf<true>;
    table[12] = BlindsOf<false>;
    table[21] = With<SlideIn, Heading::Down>;
    table[22] = With<SlideIn, Heading::Up>;
    table[23] = With<SlideIn, Heading::Left>;
    table[24] = With<SlideIn, Heading::Right>;
    table[29] = With<Uncover, Heading::Down>;
    table[30] = With<Uncover, Heading::Up>;
    table[31] = With<Uncover, Heading::Left>;
    table[32] = With<Uncover, Heading::Right>;
    table[37] = With<Wipe, Heading::Down>;
    table[38] = With<Wipe, Heading::Up>;
    table[39] = With<Wipe, Heading::Left>;
    table[40] = With<Wipe, Heading::Right>;
    table[41] = With<PushIn, Heading::Down>;
    table[42] = With<PushIn, Heading::Up>;
    table[43] = With<PushIn, Heading::Left>;
    table[44] = With<PushIn, Heading::Right>;
    return table;
}

const EffectTable effects = MakeTable();

} // namespace

TransitionEffect EffectFor(std::uint32_t id) {
    return id < effects.size() ? effects[id] : nullptr;
}
