#include "plat/Timers.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct FakeTimers : plat::TimerImp {
    std::uint32_t next = 100;
    std::set<std::uint32_t> running;
    std::uint32_t Start(std::uint32_t) override {
        running.insert(++next);
        return next;
    }
    void Stop(std::uint32_t id) override { running.erase(id); }
};

void Count(std::uint32_t, void* data) {
    ++*static_cast<int*>(data);
}

} // namespace

TEST(Timers, RepeatingOneShotAndUnknownIds) {
    FakeTimers fake;
    plat::Timers::Install(&fake);
    int repeats = 0, once = 0;
    const std::uint32_t repeating = plat::Timers::StartTimer(true, 60000, Count, &repeats);
    const std::uint32_t oneShot = plat::Timers::StartTimer(false, 10, Count, &once);
    ASSERT_NE(repeating, 0u);
    ASSERT_NE(oneShot, 0u);
    plat::Timers::Dispatch(repeating);
    plat::Timers::Dispatch(repeating);
    plat::Timers::Dispatch(oneShot);
    plat::Timers::Dispatch(oneShot); // already stopped
    plat::Timers::Dispatch(9999);    // never started
    EXPECT_EQ(repeats, 2);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(fake.running.count(oneShot), 0u);
    plat::Timers::StopTimer(repeating);
    plat::Timers::Dispatch(repeating);
    EXPECT_EQ(repeats, 2);
    EXPECT_TRUE(fake.running.empty());
    plat::Timers::Install(nullptr);
    EXPECT_EQ(plat::Timers::StartTimer(true, 1, Count, &once), 0u);
}
