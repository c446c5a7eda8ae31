// Placement coordinates and the steps of a motion.

#include "scene/Positions.h"
#include "scene/Placement.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

const QSize SCREEN(1024, 768);

CPlacement Path(CPoint start, CPoint end, CPoint step) {
    CPlacement p;
    p.m_start = start;
    p.m_end = end;
    p.m_step = step;
    return p;
}

// Every position the motion passes, the start included, until it completes.
std::vector<CPoint> Walk(CPlacement p, int limit = 10000) {
    ComputePositions(p, 10, 10, SCREEN);
    std::vector<CPoint> seen{p.m_current};
    for (int i = 0; i < limit; ++i) {
        const bool complete = Advance(p);
        seen.push_back(p.m_current);
        if (complete) {
            return seen;
        }
    }
    ADD_FAILURE() << "the motion did not end";
    return seen;
}

TEST(Positions, FixedModesPlaceThePicture) {
    struct Case {
        std::array<std::uint32_t, 4> modes;
        CPoint start;
        CPoint end;
    };
    const Case cases[] = {
        {{modeZero, modeZero, modeZero, modeZero}, {0, 0}, {0, 0}},
        {{modeCentred, modeCentred, modeRightAligned, modeRightAligned}, {462, 359}, {924, 718}},
        {{modeStored, modeZero, modeRightAligned, modeStored}, {7, 0}, {924, 8}},
    };
    for (const Case& c : cases) {
        CPlacement p = Path({7, 7}, {8, 8}, {1, 1});
        p.m_mode = c.modes;
        ComputePositions(p, 100, 50, SCREEN);
        EXPECT_EQ(p.m_start, c.start);
        EXPECT_EQ(p.m_end, c.end);
        EXPECT_EQ(p.m_current, p.m_start);
    }
}

TEST(Positions, RandomModesStayInTheirRanges) {
    for (int run = 0; run < 50; ++run) {
        CPlacement p;
        p.m_mode = {modeRandom, modeRandom, modeRandomOnScreen, modeRandomOnScreen};
        ComputePositions(p, 100, 50, SCREEN);
        EXPECT_GE(p.m_start.x, -(1024 + 100) - 100);
        EXPECT_LT(p.m_start.x, 1024 + 100);
        EXPECT_GT(p.m_end.x, 0);
        EXPECT_LT(p.m_end.x, 1024 - 100);
        EXPECT_GT(p.m_end.y, 0);
        EXPECT_LT(p.m_end.y, 768 - 50);
    }
}

TEST(Positions, RandomOnScreenWithoutRoomGoesToZero) {
    for (const int width : {1023, 1024, 2000}) { // one pixel of room has no value inside
        CPlacement p;
        p.m_mode = {modeRandomOnScreen, modeStored, modeStored, modeStored};
        p.m_start.x = 55;
        ComputePositions(p, width, 10, SCREEN);
        EXPECT_EQ(p.m_start.x, 0) << width;
    }
}

TEST(Positions, StepSignsFollowTheDirection) {
    CPlacement p = Path({100, 100}, {10, 200}, {5, -3});
    ComputePositions(p, 10, 10, SCREEN);
    EXPECT_EQ(p.m_step, (CPoint{-5, 3}));
    EXPECT_TRUE(p.m_horizontal);
    p = Path({10, 10}, {10, 10}, {-5, -3});
    ComputePositions(p, 10, 10, SCREEN);
    EXPECT_EQ(p.m_step, (CPoint{-5, -3})) << "equal coordinates keep the stored sign";
    EXPECT_FALSE(p.m_horizontal);
}

TEST(Motion, PathMotionsEndAtOrPastTheirEnd) {
    struct Case {
        const char* name;
        CPlacement placement;
        std::vector<CPoint> expected;
    };
    const Case cases[] = {
        {"equal points: one step further, then complete",
         Path({50, 50}, {50, 50}, {4, 3}),
         {{50, 50}, {50, 53}}},
        {"vertical upwards",
         Path({30, 100}, {30, 90}, {1, 4}),
         {{30, 100}, {30, 96}, {30, 92}, {30, 88}}},
        {"horizontal with a slope",
         Path({0, 0}, {30, 15}, {10, 1}),
         {{0, 0}, {10, 5}, {20, 10}, {30, 15}}},
        {"horizontal leftwards past the end",
         Path({25, 0}, {0, 0}, {10, 1}),
         {{25, 0}, {15, 0}, {5, 0}, {-5, 0}}},
        {"horizontal zero step ends", Path({0, 0}, {30, 0}, {0, 1}), {{0, 0}, {0, 0}}},
        {"vertical zero step ends", Path({0, 0}, {0, 30}, {1, 0}), {{0, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        const auto seen = Walk(c.placement);
        ASSERT_EQ(seen.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i], c.expected[i]) << c.name << " step " << i;
        }
    }
}

TEST(Motion, FreeMotionEndsByItsTests) {
    CPlacement p = Path({0, 0}, {0, 0}, {3, 2});
    p.m_freeMotion = TRUE;
    p.m_endBound = {9, 100};
    p.m_xEndTest = endGreater;
    p.m_yEndTest = endGreater;
    EXPECT_EQ(Walk(p).back(), (CPoint{12, 8})) << "either test";
    p.m_bothTests = TRUE;
    p.m_endBound = {9, 7};
    EXPECT_EQ(Walk(p).back(), (CPoint{12, 8})) << "both tests";
    p.m_bothTests = FALSE;
    p.m_xEndTest = endEqual;
    p.m_yEndTest = endLess;
    p.m_endBound = {6, -1};
    EXPECT_EQ(Walk(p).back(), (CPoint{6, 4}));
}

TEST(Motion, HostileStepsEndAtTheCoordinateRange) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    CPlacement freeNeverEqual = Path({0, 0}, {0, 0}, {1 << 30, -(1 << 30)});
    freeNeverEqual.m_freeMotion = TRUE;
    freeNeverEqual.m_xEndTest = endEqual;
    freeNeverEqual.m_yEndTest = endEqual;
    freeNeverEqual.m_endBound = {5, 5};
    struct Case {
        const char* name;
        CPlacement placement;
        std::vector<CPoint> expected;
    };
    const Case cases[] = {
        {"the most negative step turned towards a larger end",
         Path({0, 0}, {100, 0}, {kMin, 1}),
         {{0, 0}, {kMax, 0}}},
        {"the most negative vertical step turned downwards",
         Path({7, 0}, {7, 10}, {1, kMin}),
         {{7, 0}, {7, kMax}}},
        {"a step past the largest coordinate",
         Path({kMax - 5, 3}, {kMax, 3}, {4, 1}),
         {{kMax - 5, 3}, {kMax - 1, 3}, {kMax, 3}}},
        {"a slope across the whole range",
         Path({kMin, kMin}, {kMax, kMax}, {kMax, 1}),
         {{kMin, kMin}, {-1, -1}, {kMax - 1, kMax - 1}, {kMax, kMax}}},
        {"a free motion whose end tests never hold",
         freeNeverEqual,
         {{0, 0}, {1 << 30, -(1 << 30)}, {kMax, kMin}}},
    };
    for (const Case& c : cases) {
        const auto seen = Walk(c.placement);
        ASSERT_EQ(seen.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i], c.expected[i]) << c.name << " step " << i;
        }
    }
}

} // namespace
