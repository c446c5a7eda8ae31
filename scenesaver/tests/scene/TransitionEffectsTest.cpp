#include "TransitionRecording.h"
#include "scene/ProportionalSteps.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using Copies = std::vector<TransitionCopy>;

TransitionCopy P(int dx, int dy, int cw, int ch, int sx, int sy) {
    return {QRect(dx, dy, cw, ch), QPoint(sx, sy), CopySource::Picture};
}
TransitionCopy O(int dx, int dy, int cw, int ch, int sx, int sy) {
    return {QRect(dx, dy, cw, ch), QPoint(sx, sy), CopySource::OldContent};
}

std::string Describe(const Copies& copies) {
    std::string text;
    for (const auto& c : copies) {
        text += (c.source == CopySource::Picture ? "P(" : "O(") + std::to_string(c.dest.x()) + "," +
                std::to_string(c.dest.y()) + "," + std::to_string(c.dest.width()) + "," +
                std::to_string(c.dest.height()) + " from " + std::to_string(c.from.x()) + "," +
                std::to_string(c.from.y()) + ") ";
    }
    return text;
}

// Every effect, on odd sizes and cut by the screen's left or top edge, keeps
// to its target rectangle and ends with the picture in place.
TEST(TransitionEffects, StayInsideTheTargetAndEndWithThePicture) {
    struct Placement {
        QPoint position;
        QPoint offset;
    };
    const std::vector<QSize> sizes{{17, 13}, {1, 9}, {9, 1}, {64, 48}, {1, 1}};
    const std::vector<Placement> placements{
        {{5, 4}, {0, 0}}, {{-3, 6}, {3, 0}}, {{7, -2}, {0, 2}}, {{-4, -5}, {4, 5}}};
    for (std::uint32_t id = FIRST_EFFECT; id <= LAST_EFFECT; ++id) {
        for (const QSize size : sizes) {
            for (const auto& placement : placements) {
                // The fades are never cut to the screen.
                if ((id == 4 || id == 65) && placement.offset != QPoint(0, 0)) {
                    continue;
                }
                SCOPED_TRACE("effect " + std::to_string(id) + " on " +
                             std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                             " cut by " + std::to_string(placement.offset.x()) + "," +
                             std::to_string(placement.offset.y()));
                EffectRun run(id, size, placement.position, placement.offset);
                EXPECT_EQ(run.recording.framesWrittenOutside, 0);
                EXPECT_FALSE(run.recording.OutsideChanged());
                if (id == 65) {
                    EXPECT_EQ(run.Shown(), MakeBitmap(size, qRgb(0, 0, 0)));
                } else {
                    EXPECT_EQ(run.Shown(), run.Expected());
                }
            }
        }
    }
}

// The first three steps of one effect of each family, and its number of steps.
TEST(TransitionEffects, FirstStepsAndStepCounts) {
    struct Case {
        std::uint32_t id;
        std::size_t steps;
        std::vector<Copies> first;
        QSize size{17, 13};
    };
    // On a 17 by 13 picture.
    const std::vector<Case> cases{
        {11, 16, {{P(0, 0, 17, 1, 0, 0)}, {P(0, 1, 17, 1, 0, 1)}, {P(0, 2, 17, 1, 0, 2)}}},
        {12, 32, {{P(0, 0, 1, 13, 0, 0)}, {P(16, 0, 1, 13, 16, 0)}, {P(1, 0, 1, 13, 1, 0)}}},
        {21, 14, {{P(0, 0, 17, 0, 0, 13)}, {P(0, 0, 17, 1, 0, 12)}, {P(0, 0, 17, 2, 0, 11)}}},
        {22, 14, {{P(0, 13, 17, 0, 0, 0)}, {P(0, 12, 17, 1, 0, 0)}, {P(0, 11, 17, 2, 0, 0)}}},
        {23, 18, {{P(17, 0, 0, 13, 0, 0)}, {P(16, 0, 1, 13, 0, 0)}, {P(15, 0, 2, 13, 0, 0)}}},
        {24, 18, {{P(0, 0, 0, 13, 17, 0)}, {P(0, 0, 1, 13, 16, 0)}, {P(0, 0, 2, 13, 15, 0)}}},
        {29,
         13,
         {{O(0, 1, 17, 12, 0, 0), P(0, 0, 17, 1, 0, 0)},
          {O(0, 2, 17, 11, 0, 0), P(0, 1, 17, 1, 0, 1)},
          {O(0, 3, 17, 10, 0, 0), P(0, 2, 17, 1, 0, 2)}}},
        {30,
         13,
         {{O(0, 0, 17, 12, 0, 1), P(0, 12, 17, 1, 0, 12)},
          {O(0, 0, 17, 11, 0, 2), P(0, 11, 17, 1, 0, 11)},
          {O(0, 0, 17, 10, 0, 3), P(0, 10, 17, 1, 0, 10)}}},
        {31,
         17,
         {{O(0, 0, 16, 13, 1, 0), P(16, 0, 1, 13, 16, 0)},
          {O(0, 0, 15, 13, 2, 0), P(15, 0, 1, 13, 15, 0)},
          {O(0, 0, 14, 13, 3, 0), P(14, 0, 1, 13, 14, 0)}}},
        {32,
         17,
         {{O(1, 0, 16, 13, 0, 0), P(0, 0, 1, 13, 0, 0)},
          {O(2, 0, 15, 13, 0, 0), P(1, 0, 1, 13, 1, 0)},
          {O(3, 0, 14, 13, 0, 0), P(2, 0, 1, 13, 2, 0)}}},
        {37, 13, {{P(0, 0, 17, 1, 0, 0)}, {P(0, 1, 17, 1, 0, 1)}, {P(0, 2, 17, 1, 0, 2)}}},
        {38, 13, {{P(0, 12, 17, 1, 0, 12)}, {P(0, 11, 17, 1, 0, 11)}, {P(0, 10, 17, 1, 0, 10)}}},
        {39, 17, {{P(16, 0, 1, 13, 16, 0)}, {P(15, 0, 1, 13, 15, 0)}, {P(14, 0, 1, 13, 14, 0)}}},
        {40, 17, {{P(0, 0, 1, 13, 0, 0)}, {P(1, 0, 1, 13, 1, 0)}, {P(2, 0, 1, 13, 2, 0)}}},
        {41,
         14,
         {{P(0, 0, 17, 0, 0, 13), O(0, 0, 17, 13, 0, 0)},
          {P(0, 0, 17, 1, 0, 12), O(0, 1, 17, 12, 0, 0)},
          {P(0, 0, 17, 2, 0, 11), O(0, 2, 17, 11, 0, 0)}}},
        {42,
         14,
         {{P(0, 13, 17, 0, 0, 0), O(0, 0, 17, 13, 0, 0)},
          {P(0, 12, 17, 1, 0, 0), O(0, 0, 17, 12, 0, 1)},
          {P(0, 11, 17, 2, 0, 0), O(0, 0, 17, 11, 0, 2)}}},
        {43,
         18,
         {{P(17, 0, 0, 13, 0, 0), O(0, 0, 17, 13, 0, 0)},
          {P(16, 0, 1, 13, 0, 0), O(0, 0, 16, 13, 1, 0)},
          {P(15, 0, 2, 13, 0, 0), O(0, 0, 15, 13, 2, 0)}}},
        {44,
         18,
         {{P(0, 0, 0, 13, 17, 0), O(0, 0, 17, 13, 0, 0)},
          {P(0, 0, 1, 13, 16, 0), O(1, 0, 16, 13, 0, 0)},
          {P(0, 0, 2, 13, 15, 0), O(2, 0, 15, 13, 0, 0)}}},
        {49,
         7,
         {{P(0, 0, 17, 1, 0, 0)},
          {P(0, 1, 17, 1, 0, 1), P(0, 12, 17, 1, 0, 12)},
          {P(0, 2, 17, 1, 0, 2), P(0, 11, 17, 1, 0, 11)}}},
        {50,
         7,
         {{P(0, 6, 17, 1, 0, 6)},
          {P(0, 5, 17, 1, 0, 5), P(0, 7, 17, 1, 0, 7)},
          {P(0, 4, 17, 1, 0, 4), P(0, 8, 17, 1, 0, 8)}}},
        {51,
         9,
         {{P(0, 0, 1, 13, 0, 0)},
          {P(1, 0, 1, 13, 1, 0), P(16, 0, 1, 13, 16, 0)},
          {P(2, 0, 1, 13, 2, 0), P(15, 0, 1, 13, 15, 0)}}},
        {52,
         9,
         {{P(8, 0, 1, 13, 8, 0)},
          {P(7, 0, 1, 13, 7, 0), P(9, 0, 1, 13, 9, 0)},
          {P(6, 0, 1, 13, 6, 0), P(10, 0, 1, 13, 10, 0)}}},
        {7,
         7,
         {{P(0, 0, 17, 1, 0, 0), P(0, 0, 1, 13, 0, 0)},
          {P(1, 1, 15, 1, 1, 1), P(1, 1, 1, 11, 1, 1), P(1, 12, 15, 1, 1, 12),
           P(16, 1, 1, 12, 16, 1)},
          {P(2, 2, 13, 1, 2, 2), P(2, 2, 1, 9, 2, 2), P(2, 11, 13, 1, 2, 11),
           P(15, 2, 1, 10, 15, 2)}}},
        {8,
         9,
         {{P(8, 6, 1, 1, 8, 6), P(8, 7, 1, 1, 8, 7), P(8, 6, 1, 1, 8, 6), P(9, 6, 1, 1, 9, 6)},
          {P(7, 5, 3, 1, 7, 5), P(7, 8, 3, 1, 7, 8), P(7, 5, 1, 3, 7, 5), P(10, 5, 1, 3, 10, 5)},
          {P(6, 4, 5, 1, 6, 4), P(6, 9, 5, 1, 6, 9), P(6, 4, 1, 5, 6, 4), P(11, 4, 1, 5, 11, 4)}}},
        {53,
         8,
         {{P(0, 0, 17, 0, 0, 6), P(0, 13, 17, 0, 0, 6)},
          {P(0, 0, 17, 1, 0, 5), P(0, 12, 17, 1, 0, 6)},
          {P(0, 0, 17, 2, 0, 4), P(0, 11, 17, 2, 0, 6)}}},
        {54,
         8,
         {{O(0, 0, 17, 7, 0, 0), P(0, 7, 17, 1, 0, 7), O(0, 7, 17, 6, 0, 7), P(0, 6, 17, 1, 0, 6)},
          {O(0, 0, 17, 6, 0, 1), P(0, 6, 17, 1, 0, 6), O(0, 8, 17, 5, 0, 7), P(0, 7, 17, 1, 0, 7)},
          {O(0, 0, 17, 5, 0, 2), P(0, 5, 17, 1, 0, 5), O(0, 9, 17, 4, 0, 7),
           P(0, 8, 17, 1, 0, 8)}}},
        {55,
         10,
         {{P(0, 0, 0, 13, 8, 0), P(17, 0, 0, 13, 8, 0)},
          {P(0, 0, 1, 13, 7, 0), P(16, 0, 1, 13, 8, 0)},
          {P(0, 0, 2, 13, 6, 0), P(15, 0, 2, 13, 8, 0)}}},
        {56,
         10,
         {{O(0, 0, 9, 13, 0, 0), P(9, 0, 1, 13, 9, 0), O(9, 0, 8, 13, 9, 0), P(8, 0, 1, 13, 8, 0)},
          {O(0, 0, 8, 13, 1, 0), P(8, 0, 1, 13, 8, 0), O(10, 0, 7, 13, 9, 0),
           P(9, 0, 1, 13, 9, 0)}}},
        {57, 34, {{}, {P(16, 0, 1, 8, 16, 0)}, {P(15, 0, 2, 8, 15, 0)}}},
        {58, 34, {{}, {P(16, 8, 1, 8, 16, 8)}, {P(15, 8, 2, 8, 15, 8)}}},
        {59, 34, {{}, {P(0, 0, 1, 8, 0, 0)}, {P(0, 0, 2, 8, 0, 0)}}},
        {60, 34, {{}, {P(0, 8, 1, 8, 0, 8)}, {P(0, 8, 2, 8, 0, 8)}}},
        {75,
         32,
         {{P(0, 0, 1, 8, 0, 0)},
          {P(1, 0, 1, 8, 1, 0), P(2, 0, 1, 8, 2, 0)},
          {P(3, 0, 1, 8, 3, 0), P(4, 0, 1, 8, 4, 0)}}},
        {76,
         32,
         {{P(0, 0, 8, 1, 0, 0)},
          {P(0, 1, 8, 1, 0, 1), P(0, 2, 8, 1, 0, 2)},
          {P(0, 3, 8, 1, 0, 3), P(0, 4, 8, 1, 0, 4)}}},
        {15,
         17,
         {{P(0, 0, 1, 8, 16, 0), P(16, 8, 1, 8, 0, 8)},
          {P(0, 0, 2, 8, 15, 0), P(15, 8, 2, 8, 0, 8)},
          {P(0, 0, 3, 8, 14, 0), P(14, 8, 3, 8, 0, 8)}}},
        {16,
         13,
         {{P(0, 0, 8, 1, 0, 12), P(8, 12, 8, 1, 8, 0), P(16, 0, 8, 1, 16, 12)},
          {P(0, 0, 8, 2, 0, 11), P(8, 11, 8, 2, 8, 0), P(16, 0, 8, 2, 16, 11)}}},
        // 64 by 48 makes 4 by 3 cells, widened to a grid of 5 by 4.
        {17,
         192,
         {{P(0, 0, 1, 16, 0, 0)}, {P(32, 0, 1, 16, 32, 0)}, {P(16, 16, 1, 16, 16, 16)}},
         {64, 48}},
        {18,
         192,
         {{P(0, 0, 16, 1, 0, 0)}, {P(32, 0, 16, 1, 32, 0)}, {P(16, 16, 16, 1, 16, 16)}},
         {64, 48}},
        {19,
         192,
         {{P(0, 0, 1, 16, 0, 0)}, {P(16, 0, 1, 16, 16, 0)}, {P(32, 0, 1, 16, 32, 0)}},
         {64, 48}},
        {20,
         192,
         {{P(0, 0, 16, 1, 0, 0)}, {P(16, 1, 16, 1, 16, 1)}, {P(32, 0, 16, 1, 32, 0)}},
         {64, 48}},
        {61,
         14,
         {{P(0, 12, 0, 1, 0, 12), P(17, 0, 0, 1, 17, 0)},
          {P(0, 12, 1, 1, 0, 12), P(16, 0, 1, 1, 16, 0), P(0, 11, 0, 1, 0, 11),
           P(17, 1, 0, 1, 17, 1)}}},
        {63,
         14,
         {{P(0, 0, 0, 1, 0, 0), P(17, 12, 0, 1, 17, 12)},
          {P(0, 0, 1, 1, 0, 0), P(16, 12, 1, 1, 16, 12), P(0, 1, 0, 1, 0, 1),
           P(17, 11, 0, 1, 17, 11)}}},
        // The bands wait every 15 widths.
        {62, 1, {{P(0, 0, 0, 1, 0, 0), P(2, 1, 0, 1, 2, 1)}}, {4, 2}},
        {62, 9, {}, {64, 48}},
        {64, 1, {{P(2, 1, 0, 1, 2, 1), P(4, 0, 0, 1, 4, 0)}}, {4, 2}},
        {64, 9, {}, {64, 48}},
        {9,
         7,
         {{P(0, 0, 0, 0, 8, 6), P(16, 0, 0, 0, 8, 6), P(0, 13, 0, 0, 8, 6), P(17, 13, 0, 0, 8, 6)},
          {P(0, 0, 1, 1, 7, 5), P(15, 0, 1, 1, 8, 5), P(0, 12, 1, 1, 7, 6),
           P(16, 12, 1, 1, 8, 6)}}},
        {10,
         7,
         {{O(8, 0, 8, 6, 8, 0), P(8, 6, 8, 0, 9, 6), P(8, 0, 0, 6, 8, 0), O(0, 0, 8, 6, 0, 0),
           P(8, 0, 0, 6, 8, 0), P(0, 6, 8, 0, 0, 6), O(0, 6, 8, 6, 0, 7), P(0, 6, 8, 0, 0, 7),
           P(8, 6, 0, 6, 8, 7), O(8, 6, 8, 6, 9, 6), P(8, 6, 8, 0, 9, 7), P(8, 6, 0, 6, 9, 7)},
          {O(9, 0, 7, 5, 8, 1), P(8, 5, 8, 1, 9, 5), P(8, 0, 1, 5, 8, 0), O(0, 0, 7, 5, 1, 1),
           P(7, 0, 1, 6, 7, 0), P(0, 5, 7, 1, 0, 5), O(0, 7, 7, 5, 1, 7), P(0, 6, 8, 1, 0, 7),
           P(7, 7, 1, 5, 7, 8), O(9, 7, 7, 5, 9, 6), P(8, 6, 8, 1, 9, 7), P(8, 7, 1, 5, 9, 8)}}},
        // Proportional steps on 17 by 13: x = 0, 1, 2, 3, 5, ... and y = 0, 1, 2, ...
        {25, 14, {{P(17, 0, 0, 0, 0, 13)}, {P(16, 0, 1, 1, 0, 12)}, {P(15, 0, 2, 2, 0, 11)}}},
        {26, 14, {{P(17, 13, 0, 0, 0, 0)}, {P(16, 12, 1, 1, 0, 0)}, {P(15, 11, 2, 2, 0, 0)}}},
        {27, 14, {{P(0, 0, 0, 0, 17, 13)}, {P(0, 0, 1, 1, 16, 12)}, {P(0, 0, 2, 2, 15, 11)}}},
        {28, 14, {{P(0, 13, 0, 0, 17, 0)}, {P(0, 12, 1, 1, 16, 0)}, {P(0, 11, 2, 2, 15, 0)}}},
        {33,
         14,
         {{O(0, 0, 17, 13, 0, 0), P(0, 0, 17, 0, 0, 0), P(17, 0, 0, 13, 17, 0)},
          {O(0, 1, 16, 12, 1, 0), P(0, 0, 17, 1, 0, 0), P(16, 1, 1, 12, 16, 1)}}},
        {45,
         14,
         {{P(17, 0, 0, 0, 0, 13), O(0, 0, 17, 0, 0, 0), O(17, 0, 0, 13, 17, 0),
           O(0, 0, 17, 13, 0, 0)},
          {P(16, 0, 1, 1, 0, 12), O(0, 0, 16, 1, 1, 0), O(16, 1, 1, 12, 16, 0),
           O(0, 1, 16, 12, 1, 0)}}},
        // Strips wait every tenth line; on 3 lines that is once a strip.
        {67,
         3,
         {{P(0, 0, 8, 1, 0, 0)},
          {P(0, 1, 8, 1, 0, 1), P(0, 2, 8, 1, 0, 2), P(8, 2, 8, 1, 8, 2)},
          {P(8, 1, 8, 1, 8, 1), P(8, 0, 8, 1, 8, 0), P(16, 0, 8, 1, 16, 0)}},
         {17, 3}},
        {69,
         4,
         {{P(17, 0, 8, 1, 17, 0)},
          {P(17, 1, 8, 1, 17, 1), P(17, 2, 8, 1, 17, 2), P(9, 2, 8, 1, 9, 2)},
          {P(9, 1, 8, 1, 9, 1), P(9, 0, 8, 1, 9, 0), P(1, 0, 8, 1, 1, 0)}},
         {17, 3}},
        {71,
         3,
         {{P(0, 0, 8, 0, 0, 3), O(0, 0, 8, 3, 0, 0)},
          {P(0, 0, 8, 1, 0, 2), O(0, 1, 8, 2, 0, 0), P(0, 0, 8, 2, 0, 1), O(0, 2, 8, 1, 0, 0),
           P(0, 0, 8, 3, 0, 0), O(0, 3, 8, 0, 0, 0), P(8, 3, 8, 0, 8, 0), O(8, 0, 8, 3, 8, 0)},
          {P(8, 2, 8, 1, 8, 0), O(8, 0, 8, 2, 8, 1), P(8, 1, 8, 2, 8, 0), O(8, 0, 8, 1, 8, 2),
           P(8, 0, 8, 3, 8, 0), O(8, 0, 8, 0, 8, 3), P(16, 0, 8, 0, 16, 3), O(16, 0, 8, 3, 16, 0)}},
         {17, 3}},
        {74,
         4,
         {{P(0, 17, 0, 8, 3, 17), O(0, 17, 3, 8, 0, 17)},
          {P(0, 17, 1, 8, 2, 17), O(1, 17, 2, 8, 0, 17), P(0, 17, 2, 8, 1, 17),
           O(2, 17, 1, 8, 0, 17), P(0, 17, 3, 8, 0, 17), O(3, 17, 0, 8, 0, 17), P(3, 9, 0, 8, 0, 9),
           O(0, 9, 3, 8, 0, 9)},
          {P(2, 9, 1, 8, 0, 9), O(0, 9, 2, 8, 1, 9), P(1, 9, 2, 8, 0, 9), O(0, 9, 1, 8, 2, 9),
           P(0, 9, 3, 8, 0, 9), O(0, 9, 0, 8, 3, 9), P(0, 1, 0, 8, 3, 1), O(0, 1, 3, 8, 0, 1)}},
         {3, 17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.id));
        EffectRun run(c.id, c.size, QPoint(5, 4), QPoint(0, 0));
        const auto& steps = run.recording.steps;
        EXPECT_EQ(steps.size(), c.steps);
        ASSERT_GE(steps.size(), c.first.size());
        for (std::size_t i = 0; i < c.first.size(); ++i) {
            EXPECT_EQ(steps[i], c.first[i]) << "step " << i << ": " << Describe(steps[i]);
        }
    }
}

// The band starts its copies left of the picture once it is wider than the
// distance to the diagonal.
TEST(TransitionEffects, DiagonalBandWidensAroundTheDiagonal) {
    EffectRun run(62, QSize(4, 2), QPoint(5, 4), QPoint(0, 0));
    const Copies& afterFirstWait = run.recording.current;
    ASSERT_GE(afterFirstWait.size(), 4U);
    const Copies widths12{P(0, 0, 1, 1, 0, 0), P(2, 1, 1, 1, 2, 1), P(-1, 0, 2, 1, -1, 0),
                          P(1, 1, 2, 1, 1, 1)};
    EXPECT_EQ(Copies(afterFirstWait.begin(), afterFirstWait.begin() + 4), widths12);
    // Widths 1 to 7 after the wait at width 0, two rows each.
    EXPECT_EQ(afterFirstWait.size(), 14U);
}

// Both amounts reach their ends in the same step, also when one end is 0.
TEST(TransitionEffects, ProportionalStepsEndTogether) {
    struct Case {
        int endX;
        int endY;
        int last;
        int x2;
        int y2;
    };
    const std::vector<Case> cases{{17, 13, 13, 2, 2}, {13, 17, 13, 2, 2},      {5, 5, 5, 2, 2},
                                  {0, 6, 6, 0, 2},    {8, 0, 8, 2, 0},         {1, 1, 1, 1, 1},
                                  {0, 0, 0, 0, 0},    {1920, 1080, 1080, 3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.endX) + "x" + std::to_string(c.endY));
        const ProportionalSteps steps(c.endX, c.endY);
        EXPECT_EQ(steps.Last(), c.last);
        EXPECT_EQ(steps.X(0), 0);
        EXPECT_EQ(steps.Y(0), 0);
        EXPECT_EQ(steps.X(2), c.x2);
        EXPECT_EQ(steps.Y(2), c.y2);
        EXPECT_EQ(steps.X(steps.Last()), c.endX);
        EXPECT_EQ(steps.Y(steps.Last()), c.endY);
        for (int i = 1; i <= steps.Last(); ++i) {
            EXPECT_LE(steps.X(i - 1), steps.X(i));
            EXPECT_LE(steps.Y(i - 1), steps.Y(i));
        }
    }
}

// The fades take 256 levels of the step time: about 256 ms at speed 100 and
// 2.8 s at speed 1100; a late fade skips levels and still ends in place.
TEST(TransitionEffects, FadesArePacedByTheClock) {
    struct Case {
        std::uint32_t id;
        int speed;
        std::int64_t perRead;
        std::int64_t elapsed;
        std::size_t frames;
    };
    const std::vector<Case> cases{{4, 100, 0, 256, 256},
                                  {4, 1100, 0, 2816, 256},
                                  {65, 100, 0, 512, 256},
                                  {65, 1100, 0, 3072, 256},
                                  {4, 100, 4, 256 + 4, 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.id) + " speed " + std::to_string(c.speed));
        Stage stage;
        TransitionRecording recording(QSize(40, 30));
        recording.target = QRect(5, 4, 17, 13);
        recording.keepFrames = true;
        const QImage source = PatternPicture(QSize(17, 13));
        QImage work = MakeBitmap(source.size(), qRgb(0, 0, 0));
        CTransition transition(c.id, recording.target, qRgb(0, 0, 0), nullptr, source, work);
        transition.m_sourceBitmap = source;
        transition.m_observer = &recording;
        FakeClock clock(c.perRead);
        transition.m_clock = &clock;
        CDC dc(recording.screen, recording.screen.size());
        CPoint point{5, 4};
        const std::int64_t start = clock.now;
        transition.Run(dc, stage.thread, point, 1100.0 - c.speed, QPoint(0, 0));
        EXPECT_NEAR(static_cast<double>(clock.now - start), static_cast<double>(c.elapsed),
                    static_cast<double>(c.perRead) * 3 + 1);
        EXPECT_EQ(recording.frames.size(), c.frames);
        ASSERT_FALSE(recording.frames.empty());
        const QImage first = recording.frames.front().copy(recording.target);
        const QRgb p = source.pixel(16, 12);
        const QRgb dimmest =
            c.id == 4 ? qRgb(0, 0, 0)
                      : qRgb(qRed(p) * 255 / 256, qGreen(p) * 255 / 256, qBlue(p) * 255 / 256);
        EXPECT_EQ(first.pixel(16, 12), dimmest);
    }
}

// Runs the colour morph at full speed onto the recording's target.
void RunMorph(Stage& stage, TransitionRecording& recording, const QImage& source) {
    QImage work = MakeBitmap(source.size(), qRgb(0, 0, 0));
    CTransition transition(66, recording.target, qRgb(0, 0, 0), nullptr, source, work);
    transition.m_observer = &recording;
    CDC dc(recording.screen, recording.screen.size());
    CPoint point{recording.target.x(), recording.target.y()};
    transition.Run(dc, stage.thread, point, 1000.0, QPoint(0, 0));
}

// The morph moves every colour value by one a frame: black to white takes
// 255 frames, the middle one grey.
TEST(TransitionEffects, ColourMorphStepsEveryValueByOne) {
    Stage stage;
    TransitionRecording recording(QSize(20, 10));
    recording.screen.fill(qRgb(0, 0, 0));
    recording.before = recording.screen.copy();
    recording.target = QRect(2, 3, 7, 5);
    recording.keepFrames = true;
    const QImage source = MakeBitmap(QSize(7, 5), qRgb(255, 255, 255));
    RunMorph(stage, recording, source);
    ASSERT_EQ(recording.frames.size(), 255U);
    EXPECT_EQ(recording.frames[0].pixel(2, 3), qRgb(1, 1, 1));
    EXPECT_EQ(recording.frames[127].pixel(8, 7), qRgb(128, 128, 128));
    EXPECT_EQ(recording.screen.copy(recording.target), source);
    EXPECT_FALSE(recording.OutsideChanged());
}

// On a picture taller than the rows the morph works on at once, with rows that
// already match the screen and others far from it, every frame is the screen
// moved one step toward the picture, and the morph ends when all arrived.
TEST(TransitionEffects, ColourMorphFramesMatchStepByStep) {
    Stage stage;
    TransitionRecording recording(QSize(30, 50));
    recording.target = QRect(3, 2, 23, 41);
    recording.keepFrames = true;
    QImage source = recording.screen.copy(recording.target);
    for (int y = 20; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            source.setPixel(x, y, qRgb((x * 37 + y) % 256, (y * 53) % 256, (x + y) % 40));
        }
    }
    RunMorph(stage, recording, source);

    QImage expected = recording.before.copy();
    const auto step = [](int value, int goal) { return value + (value < goal) - (value > goal); };
    std::size_t frame = 0;
    for (bool moved = true; moved;) {
        moved = false;
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QPoint at = recording.target.topLeft() + QPoint(x, y);
                const QRgb now = expected.pixel(at);
                const QRgb goal = source.pixel(x, y);
                const QRgb next = qRgb(step(qRed(now), qRed(goal)), step(qGreen(now), qGreen(goal)),
                                       step(qBlue(now), qBlue(goal)));
                moved = moved || next != now;
                expected.setPixel(at, next);
            }
        }
        if (moved) {
            ASSERT_LT(frame, recording.frames.size());
            ASSERT_EQ(recording.frames[frame], expected) << "frame " << frame;
            ++frame;
        }
    }
    EXPECT_EQ(frame, recording.frames.size());
    EXPECT_EQ(recording.screen.copy(recording.target), source);
}

// Once the saver is stopping no effect draws anything more, and each runs out
// at once; the dissolves do not even ask for their remaining cells.
TEST(TransitionEffects, NothingIsDrawnOnceTheSaverIsStopping) {
    for (std::uint32_t id = FIRST_EFFECT; id <= LAST_EFFECT; ++id) {
        SCOPED_TRACE("effect " + std::to_string(id));
        Stage stage;
        stage.thread.StopEvent().set();
        TransitionRecording recording(QSize(40, 30));
        recording.target = QRect(5, 4, 17, 13);
        const QImage source = PatternPicture(QSize(17, 13));
        QImage work = MakeBitmap(source.size(), qRgb(0, 0, 0));
        CTransition transition(id, recording.target, qRgb(0, 0, 0), nullptr, source, work);
        transition.m_sourceBitmap = source;
        transition.m_observer = &recording;
        // A clock that runs ahead, so that a fade that ignored the stop would
        // fail quickly rather than take seconds.
        FakeClock clock(1000);
        transition.m_clock = &clock;
        CDC dc(recording.screen, recording.screen.size());
        CPoint point{5, 4};
        transition.Run(dc, stage.thread, point, 0.0, QPoint(0, 0));
        EXPECT_EQ(recording.screen, recording.before);
        if (id == 5 || id == 6) {
            EXPECT_TRUE(recording.current.empty());
            EXPECT_TRUE(recording.steps.empty());
        }
    }
}

// Frames leave gaps beside the middle of some sizes, so they end with the
// whole picture.
TEST(TransitionEffects, FramesEndWithAFullCopy) {
    for (const std::uint32_t id : {7U, 8U}) {
        EffectRun run(id, QSize(64, 48), QPoint(5, 4), QPoint(0, 0));
        EXPECT_EQ(run.recording.current, Copies{P(0, 0, 64, 48, 0, 0)}) << "effect " << id;
    }
}

// Opening columns from the middle ends with the whole picture; the rows do not.
TEST(TransitionEffects, OpeningColumnsEndWithAFullCopy) {
    EffectRun columns(52, QSize(17, 13), QPoint(5, 4), QPoint(0, 0));
    EXPECT_EQ(columns.recording.current, Copies{P(0, 0, 17, 13, 0, 0)});
    EffectRun rows(50, QSize(17, 13), QPoint(5, 4), QPoint(0, 0));
    EXPECT_TRUE(rows.recording.current.empty());
}

// The random effects draw every row, column or cell exactly once, one per
// step where they wait.
TEST(TransitionEffects, RandomEffectsDrawEachPartOnce) {
    struct Case {
        std::uint32_t id;
        QSize cell;
        std::size_t steps;
    };
    const std::vector<Case> cases{
        {13, {17, 1}, 13}, {14, {1, 13}, 17}, {5, {4, 4}, 0}, {6, {8, 8}, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE("effect " + std::to_string(c.id));
        EffectRun run(c.id, QSize(17, 13), QPoint(5, 4), QPoint(0, 0));
        Copies all = run.recording.current;
        for (const auto& step : run.recording.steps) {
            all.insert(all.begin(), step.begin(), step.end());
            if (c.steps != 0) {
                EXPECT_EQ(step.size(), 1U);
            }
        }
        EXPECT_EQ(run.recording.steps.size(), c.steps);
        std::vector<QPoint> origins;
        for (const auto& copy : all) {
            EXPECT_EQ(copy.dest.size(), c.cell);
            EXPECT_EQ(copy.from, copy.dest.topLeft());
            origins.push_back(copy.dest.topLeft());
        }
        std::vector<QPoint> expected;
        for (int x = 0; x < 17; x += c.cell.width()) {
            for (int y = 0; y < 13; y += c.cell.height()) {
                expected.push_back(QPoint(x, y));
            }
        }
        const auto byPosition = [](QPoint a, QPoint b) {
            return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y();
        };
        std::sort(origins.begin(), origins.end(), byPosition);
        EXPECT_EQ(origins, expected);
    }
}

// The pushes and uncovers move the old content: halfway through a push down
// the old top rows sit lower by the pushed amount.
TEST(TransitionEffects, PushMovesTheOldContent) {
    EffectRun run(41, QSize(17, 13), QPoint(5, 4), QPoint(0, 0), QSize(80, 64), true);
    const auto& frames = run.recording.frames;
    ASSERT_EQ(frames.size(), 14U);
    const QImage& third = frames[3]; // k = 3
    for (int x = 0; x < 17; ++x) {
        EXPECT_EQ(third.pixel(5 + x, 4 + 3), run.recording.before.pixel(5 + x, 4));
        EXPECT_EQ(third.pixel(5 + x, 4), run.source.pixel(x, 10));
    }
}

} // namespace
