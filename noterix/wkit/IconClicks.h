#pragma once

#include "wkit/Backend.h"

#include <cstdint>
#include <functional>

namespace wkit {

// Mouse flags of the notification-area icon.
enum : std::uint32_t {
    IconLeft = 0x2,
    IconRight = 0x8,
    IconDown = 0x1000000,
    IconUp = 0x2000000,
    IconDoubleClick = 0x4000000,
    IconShift = 0x20000,
    IconControl = 0x10000,
    IconAlt = 0x40000,
};

// What a click on the icon does.
enum IconAction : std::int32_t {
    IconShowMenu = 0,
    IconDefaultCommand = 1,
    IconAlternateCommand = 2,
    IconNothing = 3,
};

// The library's own policy: releasing the right button shows the menu; a
// left press or double click runs the default command, or the alternate one
// with Shift.
IconAction BaseIconPolicy(std::uint32_t flags);

// The toolkit reports whole clicks (a press it calls a trigger, a double
// click, a context request); the program wants button messages. A trigger
// becomes left down and left up once the double-click interval has passed
// without a double click; a double click cancels the pending single click
// and becomes a left double click alone; a context request becomes right up.
// The modifier keys are those held when the toolkit reported the click.
class IconClickSynthesiser {
public:
    using Deliver = std::function<void(std::uint32_t flags)>;
    using StartTimer = std::function<void(std::uint32_t milliseconds)>;
    using StopTimer = std::function<void()>;

    IconClickSynthesiser(Deliver deliver, StartTimer start, StopTimer stop)
        : deliver_(std::move(deliver)), start_(std::move(start)), stop_(std::move(stop)) {}

    void Activated(IconActivation reason, std::uint32_t modifiers,
                   std::uint32_t doubleClickInterval);
    // The double-click interval has passed since the trigger.
    void TimerFired();
    bool SinglePending() const { return pending_; }

private:
    Deliver deliver_;
    StartTimer start_;
    StopTimer stop_;
    bool pending_ = false;
    std::uint32_t pendingModifiers_ = 0;
};

} // namespace wkit
