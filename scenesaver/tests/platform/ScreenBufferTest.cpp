#include "platform/ScreenBuffer.h"

#include <gtest/gtest.h>

TEST(ScreenBuffer, DrawingBeforeAPresentationCoalescesIntoOneRequest) {
    CScreenBuffer screen;
    int requests = 0;
    screen.SetPresenter([&] { ++requests; });
    screen.Resize(QSize(100, 50), qRgb(0, 0, 0));
    EXPECT_EQ(requests, 1);
    screen.MarkDirty(QRect(10, 10, 5, 5));
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(screen.TakeDirty(), QRect(0, 0, 100, 50));
    EXPECT_TRUE(screen.TakeDirty().isEmpty());

    screen.MarkDirty(QRect(10, 10, 5, 5));
    screen.MarkDirty(QRect(90, 40, 20, 20)); // reaches past the edge
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(screen.TakeDirty(), QRect(QPoint(10, 10), QPoint(99, 49)));
}

TEST(ScreenBuffer, RectanglesOutsideTheScreenRequestNothing) {
    CScreenBuffer screen;
    int requests = 0;
    screen.Resize(QSize(10, 10), qRgb(0, 0, 0));
    screen.TakeDirty();
    screen.SetPresenter([&] { ++requests; });
    screen.MarkDirty(QRect(20, 20, 5, 5));
    screen.MarkDirty(QRect(0, 0, 0, 0));
    EXPECT_EQ(requests, 0);
}

TEST(ScreenBuffer, FillPaintsEveryPixel) {
    CScreenBuffer screen;
    screen.Resize(QSize(4, 3), qRgb(0, 0, 0));
    screen.Fill(qRgb(1, 2, 3));
    auto lock = screen.Lock();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            ASSERT_EQ(screen.Image().pixel(x, y), qRgb(1, 2, 3));
        }
    }
}
