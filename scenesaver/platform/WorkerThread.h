#pragma once

#include "platform/Event.h"

#include <functional>
#include <thread>

// A worker thread with the stop protocol every thread of the saver follows:
// the owner sets the stop event, waits for the finished event that the thread
// sets as the last thing it does, then joins it. The body polls StopEvent().
class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Stop(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // False when a thread is already running or none could be made.
    bool Start(std::function<void()> body);
    void Stop();
    bool IsRunning() const { return thread.joinable(); }

    Event& StopEvent() { return stopEvent; }
    Event& FinishedEvent() { return finishedEvent; }

private:
    Event stopEvent;
    Event finishedEvent;
    std::thread thread;
};
