#include "platform/CrtRandom.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {
std::vector<int> Draw(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(crt_rand());
    }
    return values;
}
} // namespace

TEST(CrtRandom, FollowsTheWindowsSequence) {
    crt_srand(1);
    EXPECT_EQ(Draw(6), (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724}));
    // 6143 * 214013 + 2531011 = 1317212870 = 0x4E8312C6; bits 16-30: 0x4E83.
    crt_srand(6143);
    EXPECT_EQ(Draw(3), (std::vector<int>{20099, 7659, 20811}));
}

TEST(CrtRandom, StaysWithinFifteenBitsAcrossStateWrapAround) {
    crt_srand(0xFFFFFFFFu);
    for (int value : Draw(1000)) {
        ASSERT_GE(value, 0);
        ASSERT_LE(value, CRT_RAND_MAX);
    }
}

TEST(CrtRandom, EachThreadHasItsOwnStateSeededWithOne) {
    crt_srand(6143);
    crt_rand();
    std::vector<int> other;
    std::thread([&] { other = Draw(2); }).join();
    EXPECT_EQ(other, (std::vector<int>{41, 18467}));
    EXPECT_EQ(crt_rand(), 7659); // this thread's sequence went on undisturbed
}
