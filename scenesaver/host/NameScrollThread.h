#pragma once

#include "platform/WorkerThread.h"

#include <QImage>
#include <QSize>

#include <string>

class CScreenBuffer;

// Scrolls the application name, one character per line, upwards through the
// preview's screen beside bitmap 144, restarting at the bottom.
class CNameScrollThread {
public:
    CNameScrollThread(CScreenBuffer& screen, QSize clientSize, std::string applicationName);
    ~CNameScrollThread();
    CNameScrollThread(const CNameScrollThread&) = delete;
    CNameScrollThread& operator=(const CNameScrollThread&) = delete;

    bool Start();
    // Sets the stop event, waits for the finished event and the thread.
    void Stop();

    // The name drawn vertically in Arial bold 11, white-cyan on black.
    static QImage MakeNameBitmap(const std::string& applicationName);

private:
    void Main();

    CScreenBuffer& screen;
    QSize clientSize;
    std::string applicationName;
    CWorkerThread worker;
};
