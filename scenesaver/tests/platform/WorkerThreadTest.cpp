#include "platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(WorkerThread, StopSetsTheStopEventAndReturnsAfterTheBodyFinished) {
    CWorkerThread worker;
    std::atomic<bool> bodyEnded = false;
    ASSERT_TRUE(worker.Start([&] {
        worker.StopEvent().wait();
        bodyEnded = true;
    }));
    EXPECT_FALSE(worker.Start([] {})); // one thread at a time
    worker.Stop();
    EXPECT_TRUE(bodyEnded);
    EXPECT_TRUE(worker.FinishedEvent().isSet());
    EXPECT_FALSE(worker.IsRunning());
    worker.Stop(); // a second stop is harmless
}

TEST(WorkerThread, CanRunAgainAfterStopping) {
    CWorkerThread worker;
    int runs = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(worker.Start([&] { ++runs; }));
        worker.Stop();
    }
    EXPECT_EQ(runs, 3);
}

TEST(WorkerThread, DestructorStopsARunningThread) {
    std::atomic<bool> sawStop = false;
    {
        CWorkerThread worker;
        ASSERT_TRUE(worker.Start([&] {
            worker.StopEvent().wait();
            sawStop = true;
        }));
    }
    EXPECT_TRUE(sawStop);
}
