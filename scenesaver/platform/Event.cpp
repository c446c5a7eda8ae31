#include "platform/Event.h"

#include <algorithm>
#include <condition_variable>

struct Event::Waiter {
    std::mutex mutex;
    std::condition_variable wake;
};

Event::Event(bool initiallySet) : flag(initiallySet) {}

void Event::set() {
    flag.store(true, std::memory_order_release);
    std::lock_guard lock(waitersMutex);
    for (Waiter* waiter : waiters) {
        // Taking the waiter's mutex orders this wake-up after its last look
        // at the flags, so the wake-up cannot fall between look and sleep.
        std::lock_guard waiterLock(waiter->mutex);
        waiter->wake.notify_all();
    }
}

void Event::reset() {
    flag.store(false, std::memory_order_release);
}

void Event::wait() {
    waitAny({this});
}

bool Event::waitFor(std::chrono::milliseconds timeout) {
    return waitAny({this}, std::max(timeout, std::chrono::milliseconds(0))) == 0;
}

bool Event::waitUntil(std::chrono::steady_clock::time_point deadline) {
    if (isSet()) {
        return true;
    }
    Waiter waiter;
    addWaiter(&waiter);
    {
        std::unique_lock lock(waiter.mutex);
        while (!isSet()) {
            if (waiter.wake.wait_until(lock, deadline) == std::cv_status::timeout) {
                break;
            }
        }
    }
    removeWaiter(&waiter);
    return isSet();
}

void Event::addWaiter(Waiter* waiter) {
    std::lock_guard lock(waitersMutex);
    waiters.push_back(waiter);
}

void Event::removeWaiter(Waiter* waiter) {
    std::lock_guard lock(waitersMutex);
    std::erase(waiters, waiter);
}

int Event::waitAny(std::initializer_list<Event*> events, std::chrono::milliseconds timeout) {
    auto firstSet = [&]() -> int {
        int index = 0;
        for (Event* event : events) {
            if (event->isSet()) {
                return index;
            }
            ++index;
        }
        return -1;
    };
    if (const int index = firstSet(); index >= 0 || timeout.count() == 0) {
        return index;
    }

    Waiter waiter;
    for (Event* event : events) {
        event->addWaiter(&waiter);
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int result = -1;
    {
        std::unique_lock lock(waiter.mutex);
        while ((result = firstSet()) < 0) {
            if (timeout.count() < 0) {
                waiter.wake.wait(lock);
            } else if (waiter.wake.wait_until(lock, deadline) == std::cv_status::timeout) {
                result = firstSet();
                break;
            }
        }
    }
    for (Event* event : events) {
        event->removeWaiter(&waiter);
    }
    return result;
}
