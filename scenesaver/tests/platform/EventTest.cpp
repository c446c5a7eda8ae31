#include "platform/Event.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

TEST(Event, ManualResetStaysSetUntilReset) {
    Event event;
    EXPECT_FALSE(event.isSet());
    EXPECT_FALSE(event.waitFor(0ms));
    event.set();
    EXPECT_TRUE(event.waitFor(0ms));
    EXPECT_TRUE(event.waitFor(0ms)); // waiting does not consume it
    event.wait();
    event.reset();
    EXPECT_FALSE(event.isSet());
    EXPECT_TRUE(Event(true).isSet());
}

TEST(Event, WaitForTimesOutWhenNobodySetsIt) {
    Event event;
    EXPECT_FALSE(event.waitFor(5ms));
    EXPECT_EQ(Event::waitAny({&event}, 5ms), -1);
}

TEST(Event, WaitWakesWhenAnotherThreadSets) {
    Event event;
    std::thread setter([&] { event.set(); });
    event.wait();
    setter.join();
    EXPECT_TRUE(event.isSet());
}

TEST(Event, WaitAnyReportsTheFirstSetEventInListOrder) {
    Event stop;
    Event started;
    Event finished;
    finished.set();
    EXPECT_EQ(Event::waitAny({&stop, &started, &finished}), 2);
    started.set();
    EXPECT_EQ(Event::waitAny({&stop, &started, &finished}), 1);
}

TEST(Event, WaitAnyWakesForWhicheverEventIsSetLater) {
    for (int round = 0; round < 50; ++round) {
        Event first;
        Event second;
        std::thread setter([&] { second.set(); });
        EXPECT_EQ(Event::waitAny({&first, &second}), 1);
        setter.join();
    }
}
