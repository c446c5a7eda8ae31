#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace wkit {

// Idle work runs once the user has left the keyboard and mouse buttons alone
// for a while. Nothing polls: input arms one single-shot timer for the moment
// the quiet period ends, and the timer runs the handlers.
class IdleRule {
public:
    static constexpr std::uint64_t QuietMilliseconds = 2000;

    // Starts (or restarts) the back-end's single-shot timer.
    using ArmTimer = std::function<void(std::uint32_t milliseconds)>;
    // Runs every enabled handler with the counter; true when one did work
    // and wants to be called again.
    using RunHandlers = std::function<bool()>;

    IdleRule(ArmTimer arm, RunHandlers run) : arm_(std::move(arm)), run_(std::move(run)) {}

    // Keyboard, mouse button or wheel input at this time.
    void Input(std::uint64_t now);
    // The single-shot timer fired.
    void TimerFired(std::uint64_t now);
    bool Pending() const { return pending_; }

private:
    ArmTimer arm_;
    RunHandlers run_;
    std::uint64_t lastInput_ = 0;
    bool pending_ = false;
};

// An object that does background work while the user is idle.
class IdleHandler {
public:
    virtual ~IdleHandler() = default;
    // counter: how many calls in a row did work; true when work was done.
    virtual bool OnIdle(std::uint32_t counter) = 0;
    bool enabled = true;
};

} // namespace wkit
