#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {
std::array<int, 2> signalPipe = {-1, -1};
std::atomic<bool> received = false;
constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnTerminationSignal(int) {
    received.store(true);
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}
} // namespace

CTerminationSignals::CTerminationSignals(std::function<void()> onSignal)
    : handler(std::move(onSignal)) {
    received.store(false);
    if (signalPipe[0] < 0 && pipe2(signalPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        signalPipe = {-1, -1};
        return;
    }
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { Drain(); });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) {
        sigaction(signal, &action, nullptr);
    }
}

CTerminationSignals::~CTerminationSignals() {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) {
        sigaction(signal, &action, nullptr);
    }
}

bool CTerminationSignals::Received() {
    return received.load();
}

void CTerminationSignals::Drain() {
    std::array<char, 64> bytes{};
    while (read(signalPipe[0], bytes.data(), bytes.size()) > 0) {
    }
    if (handler) {
        handler();
    }
}
