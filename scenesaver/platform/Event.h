#pragma once

#include <atomic>
#include <chrono>
#include <initializer_list>
#include <mutex>
#include <vector>

// A manual-reset event: once set it stays set until reset, and every waiter
// wakes. Polling with a zero time-out is a plain atomic load, so a thread may
// poll its stop event millions of times a second.
class Event {
public:
    explicit Event(bool initiallySet = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    bool isSet() const { return flag.load(std::memory_order_acquire); }

    void wait();
    // True when the event was set within the time-out.
    bool waitFor(std::chrono::milliseconds timeout);
    // True when the event was set before the deadline; for waits finer than
    // a millisecond.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);

    // Waits until one of the events is set. Returns the index of the first
    // set event in the list, or -1 when the time-out passed first. A negative
    // time-out waits for ever.
    static int waitAny(std::initializer_list<Event*> events,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

    struct Waiter; // a thread blocked in waitAny, woken by set()

private:
    void addWaiter(Waiter* waiter);
    void removeWaiter(Waiter* waiter);

    std::atomic<bool> flag;
    std::mutex waitersMutex;
    std::vector<Waiter*> waiters;
};
