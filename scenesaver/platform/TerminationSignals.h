#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a call on the GUI thread, so that a
// terminated saver still goes through its normal shutdown (threads stopped,
// temporary files removed). The handler only writes a byte to a pipe; the
// work happens when the event loop reads it.
class CTerminationSignals : public QObject {
public:
    explicit CTerminationSignals(std::function<void()> onSignal);
    ~CTerminationSignals() override;

    // Whether one of the signals has arrived since the watcher was made.
    static bool Received();

private:
    void Drain();

    std::function<void()> handler;
    QSocketNotifier* notifier = nullptr;
};
