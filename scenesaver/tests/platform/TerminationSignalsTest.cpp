#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <csignal>

namespace {
QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "scenesaver_platform_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);
    return *application;
}
} // namespace

TEST(TerminationSignals, EachSignalReachesTheEventLoopInsteadOfEndingTheProcess) {
    Application();
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        int calls = 0;
        CTerminationSignals watcher([&] { ++calls; });
        EXPECT_FALSE(CTerminationSignals::Received());
        ASSERT_EQ(raise(signal), 0);
        EXPECT_TRUE(CTerminationSignals::Received());
        EXPECT_EQ(calls, 0); // nothing runs inside the handler
        for (int i = 0; i < 100 && calls == 0; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        EXPECT_EQ(calls, 1);
    }
}

TEST(TerminationSignals, SignalsArrivingTogetherCallOnce) {
    Application();
    int calls = 0;
    CTerminationSignals watcher([&] { ++calls; });
    raise(SIGTERM);
    raise(SIGTERM);
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(calls, 1);
}
