#include "wkit/IconClicks.h"

namespace wkit {

IconAction BaseIconPolicy(std::uint32_t flags) {
    const bool shift = (flags & IconShift) != 0;
    if ((flags & IconRight) != 0 && (flags & IconUp) != 0) {
        return IconShowMenu;
    }
    if ((flags & IconLeft) != 0 && (flags & (IconDown | IconDoubleClick)) != 0) {
        return shift ? IconAlternateCommand : IconDefaultCommand;
    }
    return IconNothing;
}

void IconClickSynthesiser::Activated(IconActivation reason, std::uint32_t modifiers,
                                     std::uint32_t doubleClickInterval) {
    switch (reason) {
    case IconActivation::Trigger:
        if (pending_) {
            // A second press before the interval ended that the toolkit did
            // not call a double click: deliver the first one now.
            TimerFired();
        }
        pending_ = true;
        pendingModifiers_ = modifiers;
        start_(doubleClickInterval);
        break;
    case IconActivation::DoubleClick:
        if (pending_) {
            pending_ = false;
            stop_();
        }
        deliver_(IconLeft | IconDoubleClick | modifiers);
        break;
    case IconActivation::Context:
        deliver_(IconRight | IconUp | modifiers);
        break;
    case IconActivation::Middle:
        break;
    }
}

void IconClickSynthesiser::TimerFired() {
    if (!pending_) {
        return;
    }
    pending_ = false;
    const std::uint32_t modifiers = pendingModifiers_;
    deliver_(IconLeft | IconDown | modifiers);
    deliver_(IconLeft | IconUp | modifiers);
}

} // namespace wkit
