#include "plat/Timers.h"

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
    if (backend == nullptr || callback == nullptr) {
        return 0;
    }
    const std::uint32_t id = backend->Start(milliseconds);
    if (id != 0) {
        Table()[id] = Entry{repeat, callback, data};
    }
    return id;
}

void Timers::StopTimer(std::uint32_t id) {
    if (Table().erase(id) != 0 && backend != nullptr) {
        backend->Stop(id);
    }
}

void Timers::Dispatch(std::uint32_t id) {
    const auto found = Table().find(id);
    if (found == Table().end()) {
        return;
    }
    const Entry entry = found->second;
    if (!entry.repeat) {
        StopTimer(id);
    }
    entry.callback(id, entry.data);
}

} // namespace plat
