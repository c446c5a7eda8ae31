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

// Process-wide thread timers: an id maps to a callback, its data and whether
// it repeats.
class Timers {
public:
    static void Install(TimerImp* imp); // not owned; null removes it
    static std::uint32_t StartTimer(bool repeat, std::uint32_t milliseconds, TimerCallback callback,
                                    void* data);
    static void StopTimer(std::uint32_t id);
    // Called by the back-end when the system timer with this id fires.
    static void Dispatch(std::uint32_t id);

private:
    struct Entry {
        bool repeat;
        TimerCallback callback;
        void* data;
    };
    static std::map<std::uint32_t, Entry>& Table();
};

} // namespace plat
