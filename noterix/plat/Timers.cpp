#include "plat/Timers.h"

#include <vector>

namespace plat {

namespace {
TimerImp* backend = nullptr;
} // namespace

std::map<std::uint32_t, Timers::Entry>& Timers::Table() {
    static std::map<std::uint32_t, Entry> table;
    return table;
}

void Timers::Install(TimerImp* imp) {
    backend = imp;
}

std::uint32_t Timers::StartTimer(bool repeat, std::uint32_t milliseconds, TimerCallback callback,
                                 void* data) {
    return StartWindowTimer(nullptr, repeat, milliseconds, callback, data);
}

std::uint32_t Timers::StartWindowTimer(const void* window, bool repeat, std::uint32_t milliseconds,
                                       TimerCallback callback, void* data) {
    if (backend == nullptr || callback == nullptr) {
        return 0;
    }
    const std::uint32_t id = backend->Start(milliseconds);
    if (id != 0) {
        Table()[id] = Entry{repeat, callback, data, window, false};
    }
    return id;
}

void Timers::StopTimer(std::uint32_t id) {
    if (Table().erase(id) != 0 && backend != nullptr) {
        backend->Stop(id);
    }
}

void Timers::StopWindowTimers(const void* window) {
    if (window == nullptr) {
        return;
    }
    std::vector<std::uint32_t> ids;
    for (const auto& [id, entry] : Table()) {
        if (entry.window == window) {
            ids.push_back(id);
        }
    }
    for (std::uint32_t id : ids) {
        StopTimer(id);
    }
}

bool Timers::IsRunning(std::uint32_t id) {
    return Table().count(id) != 0;
}

void Timers::Dispatch(std::uint32_t id) {
    const auto found = Table().find(id);
    if (found == Table().end() || found->second.inCallback) {
        return;
    }
    const Entry entry = found->second;
    if (!entry.repeat) {
        StopTimer(id);
    } else {
        found->second.inCallback = true;
    }
    entry.callback(id, entry.data);
    // The callback may have stopped its own timer.
    const auto after = Table().find(id);
    if (after != Table().end()) {
        after->second.inCallback = false;
    }
}

} // namespace plat
