// A worker's message box never holds up a GUI thread that waits for it.

#include "platform/Event.h"
#include "platform/MessageBox.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(MessageBoxFromWorker, StopEventReleasesTheWorkerAndTheBoxIsNeverShown) {
    int argc = 1;
    char name[] = "message_box_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    Event stop;
    Event returned;
    std::thread worker([&] {
        SetMessageBoxStopEvent(&stop);
        AfxMessageBox("a picture cannot be read");
        SetMessageBoxStopEvent(nullptr);
        returned.set();
    });
    // The GUI thread does not run its event loop: it is busy stopping the
    // worker, as the saver window is when the user ends the saver.
    EXPECT_FALSE(returned.waitFor(std::chrono::milliseconds(100)));
    stop.set();
    EXPECT_TRUE(returned.waitFor(std::chrono::seconds(5)));
    worker.join();
    // The queued box arrives after the stop: dropped, so this returns at once
    // instead of showing a modal dialog.
    QCoreApplication::processEvents();
}
