#pragma once

#include <cstdint>
#include <map>

namespace plat {

using TimerCallback = void (*)(std::uint32_t id, void* data);

// The system side of the timers: the GUI back-end runs them on its event
// loop and calls Timers::Dispatch when one fires.
class TimerImp {
public:
    virtual ~TimerImp() = default;
    // Starts a repeating system timer; returns its id, 0 on failure.
    virtual std::uint32_t Start(std::uint32_t milliseconds) = 0;
    virtual void Stop(std::uint32_t id) = 0;
};

// Refuses a second entry while the first is still running: a callback that
// opens a modal dialog keeps running inside the dialog's own loop, where the
// next tick would otherwise open another dialog on top of it.
class ReentryGuard {
public:
    class Scope {
    public:
        explicit Scope(ReentryGuard& guard) : guard_(guard), entered_(!guard.busy_) {
            guard_.busy_ = true;
        }
        ~Scope() {
            if (entered_) {
                guard_.busy_ = false;
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // False when an earlier entry is still running: leave at once.
        bool Entered() const { return entered_; }

    private:
        ReentryGuard& guard_;
        bool entered_;
    };
    bool Busy() const { return busy_; }

private:
    bool busy_ = false;
};

// Process-wide timers: an id maps to a callback, its data and whether it
// repeats. Thread timers belong to no window; window timers are stopped
// together when their window goes. A tick that arrives while the same
// timer's callback is still running (inside a modal dialog it opened) is
// dropped, so a callback never runs inside itself.
class Timers {
public:
    static void Install(TimerImp* imp); // not owned; null removes it
    static std::uint32_t StartTimer(bool repeat, std::uint32_t milliseconds, TimerCallback callback,
                                    void* data);
    static void StopTimer(std::uint32_t id);
    static std::uint32_t StartWindowTimer(const void* window, bool repeat,
                                          std::uint32_t milliseconds, TimerCallback callback,
                                          void* data);
    static void StopWindowTimers(const void* window);
    static bool IsRunning(std::uint32_t id);
    // Called by the back-end when the system timer with this id fires.
    static void Dispatch(std::uint32_t id);

private:
    struct Entry {
        bool repeat;
        TimerCallback callback;
        void* data;
        const void* window;
        bool inCallback;
    };
    static std::map<std::uint32_t, Entry>& Table();
};

} // namespace plat
