// The calibrated wait and the random range.

#include "scene/Timing.h"
#include "platform/CrtRandom.h"
#include "scene/RandomRange.h"

#include "PlaybackSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

namespace {

using namespace std::chrono_literals;

TEST(CalibratedWait, PollCountFollowsTheSettingAndTheCalibration) {
    struct Case {
        double setting;
        double scale;
        std::uint32_t count;
        std::uint32_t polls;
        std::chrono::nanoseconds time;
    };
    const Case cases[] = {
        {100000, 100000, 1'000'000, 0, 0ns},          // full motion speed: no wait
        {99000, 100000, 1'000'000, 10000, 10ms},      // 1/100 s per step
        {1000, 1000, 1'000'000, 0, 0ns},              // effect speed 100
        {0, 1000, 1'000'000, 10000, 10ms},            // effect speed 1100
        {120000, 100000, 1'000'000, 0, 0ns},          // negative: no wait, no wrap
        {-5000, 1000, 1'000'000, 60000, 60ms},        // effect speed above 1100
        {99000, 100000, 0, 0, 0ns},                   // no calibration: no wait
        {-1e9, 100000, 0xFFFFFFFFu, 0xFFFFFFFFu, 1s}, // capped count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalibratedPollCount(c.setting, c.scale, c.count), c.polls) << c.setting;
        const auto time = CalibratedWaitTime(c.setting, c.scale, c.count);
        EXPECT_NEAR(static_cast<double>(time.count()), static_cast<double>(c.time.count()), 1e3)
            << c.setting;
    }
}

TEST(CalibratedWait, WaitsTheTimeWithoutSpinningAndEndsOnStop) {
    Stage stage;
    auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuBefore = std::clock();
    stage.thread.CalibratedWait(90000, 100000); // 100 ms
    const auto took = std::chrono::steady_clock::now() - start;
    const std::clock_t cpu = std::clock() - cpuBefore;
    EXPECT_GE(took, 100ms);
    EXPECT_LT(static_cast<double>(cpu) / CLOCKS_PER_SEC, 0.05) << "the wait sleeps";

    stage.thread.StopEvent().set();
    start = std::chrono::steady_clock::now();
    stage.thread.CalibratedWait(0, 100000); // 1 s, but stopping
    EXPECT_LT(std::chrono::steady_clock::now() - start, 50ms);
}

TEST(RandomRange, DrawsFollowTheCLibrarySequence) {
    // Worked by hand: seeding with 12345 draws 7584 first (12345 x 214013 +
    // 2531011 = 2644521496, bits 16 to 30), whose low byte 160 makes the
    // second seed 12345 << 8 | 160 = 3160480; that seed draws 31684, 4290,
    // 15559. A draw d gives trunc(d x (high + 1 - low) / 32767) + low:
    // 31684 x 10001 / 32767 = 9670.4 -> 4670 in -5000 to 5000, and
    // 31684 x 75 / 32767 = 72.5 -> 75 in 3 to 77.
    struct Case {
        int low;
        int high;
        std::array<int, 3> draws;
    };
    const Case cases[] = {
        {0, 0, {31684, 4290, 15559}}, // the whole range, 0 to 32767
        {-5000, 5000, {4670, -3691, -252}},
        {3, 77, {75, 12, 38}},
    };
    for (const Case& c : cases) {
        CRandomRange range(12345);
        ASSERT_TRUE(range.SetRange(c.low, c.high));
        for (const int expected : c.draws) {
            EXPECT_EQ(range.Next(), expected) << c.low << " to " << c.high;
        }
    }
    CRandomRange range(12345);
    EXPECT_FALSE(range.SetRange(5, 5));
    EXPECT_FALSE(range.SetRange(9, 2));
    EXPECT_EQ(range.Low(), 0);
    EXPECT_EQ(range.High(), 32767);
    EXPECT_TRUE(range.SetRange(0, 0));
    EXPECT_EQ(range.High(), 32767);
}

TEST(RandomRange, ReachesHighPlusOneOnlyOnTheLargestDraw) {
    // Find a state whose next draw is 32767 and check the range's answer.
    for (unsigned seed = 1; seed < 2'000'000; ++seed) {
        crt_srand(seed);
        if (crt_rand() == CRT_RAND_MAX) {
            CRandomRange range(1);
            range.SetRange(3, 77);
            crt_srand(seed);
            EXPECT_EQ(range.Next(), 78);
            return;
        }
    }
    FAIL() << "no seed gives the largest draw";
}

} // namespace
