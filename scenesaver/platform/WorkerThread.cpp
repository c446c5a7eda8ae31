#include "platform/WorkerThread.h"

#include <system_error>
#include <utility>

bool CWorkerThread::Start(std::function<void()> body) {
    if (thread.joinable()) {
        return false;
    }
    stopEvent.reset();
    finishedEvent.reset();
    try {
        thread = std::thread([this, body = std::move(body)] {
            body();
            finishedEvent.set();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CWorkerThread::Stop() {
    if (!thread.joinable()) {
        return;
    }
    stopEvent.set();
    finishedEvent.wait();
    thread.join();
}
