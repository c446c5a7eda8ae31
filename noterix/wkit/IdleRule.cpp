#include "wkit/IdleRule.h"

namespace wkit {

void IdleRule::Input(std::uint64_t now) {
    lastInput_ = now;
    if (!pending_) {
        pending_ = true;
        arm_(static_cast<std::uint32_t>(QuietMilliseconds));
    }
}

void IdleRule::TimerFired(std::uint64_t now) {
    if (!pending_) {
        return;
    }
    const std::uint64_t quiet = now >= lastInput_ ? now - lastInput_ : 0;
    if (quiet < QuietMilliseconds) {
        // Input came in after the timer was armed: wait for the rest of the
        // quiet period rather than waking at every key.
        arm_(static_cast<std::uint32_t>(QuietMilliseconds - quiet));
        return;
    }
    if (run_()) {
        arm_(0); // a handler wants more time: call again as soon as the loop is free
        return;
    }
    pending_ = false;
}

} // namespace wkit
