// Showing, moving and hiding pictures on a recording screen.

#include "platform/Drawing.h"
#include "scene/DrawItems.h"

#include "PlaybackSupport.h"

#include <gtest/gtest.h>

namespace {

const QRgb RED = qRgb(255, 0, 0);
const QRgb MARK = qRgb(0, 255, 0);
const QRgb BLUE = qRgb(0, 0, 255);

int Count(const QImage& image, QRgb colour) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            found += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return found;
}

TEST(Show, DisplayModesPlaceTileAndStretch) {
    struct Case {
        std::uint32_t effect;
        int markers;     // top-left pixels of copies of the picture
        int redOrMarked; // pixels covered by the picture
    };
    const Case cases[] = {
        {0, 1, 100 * 100},
        {1, 11 * 8, 1024 * 768}, // tiles at every multiple, cut at the edges
        {2, 11 * 8, 1024 * 768}, // one copy scaled over the whole screen
    };
    for (const Case& c : cases) {
        Stage stage(QSize(1024, 768));
        CPictureItem& picture = stage.AddPicture(QSize(100, 100), RED, MARK);
        auto& show = stage.AddAction<CShowPictureItem>(picture, {200, 300}, {0, 0});
        show.m_placement.m_effect = c.effect;
        stage.thread.PlayScene();
        const QImage screen = stage.window.Snapshot();
        const int marked = Count(screen, MARK);
        EXPECT_EQ(Count(screen, RED) + marked, c.redOrMarked) << c.effect;
        if (c.effect == 0) {
            EXPECT_EQ(screen.pixel(200, 300), MARK);
            EXPECT_EQ(screen.pixel(299, 399), RED);
            EXPECT_EQ(screen.pixel(300, 400), qRgb(0, 0, 0));
            EXPECT_EQ(marked, c.markers);
        } else if (c.effect == 1) {
            EXPECT_EQ(marked, c.markers);
            EXPECT_EQ(screen.pixel(1000, 700), MARK);
        } else {
            EXPECT_EQ(marked, c.markers) << "the marker pixel, scaled by 10.24 and 7.68";
            EXPECT_EQ(screen.pixel(0, 0), MARK);
            EXPECT_EQ(screen.pixel(12, 9), RED);
        }
        EXPECT_TRUE(picture.IsShown());
    }
}

TEST(Show, TransitionsAreClippedToTheScreenExceptTheFades) {
    for (const std::uint32_t effect : {37U, 4U}) {
        Stage stage(QSize(200, 100));
        CPictureItem& picture = stage.AddPicture(QSize(80, 20), RED, MARK);
        for (int x = 0; x < 80; ++x) {
            picture.m_bitmap.image.setPixel(x, 10, x < 50 ? BLUE : RED);
        }
        auto& show = stage.AddAction<CShowPictureItem>(picture, {-50, 5}, {0, 0});
        show.m_placement.m_effect = effect;
        stage.thread.PlayScene();
        const QImage screen = stage.window.Snapshot();
        EXPECT_EQ(screen.pixel(0, 15), RED) << "column 50 of the picture lands on column 0";
        EXPECT_EQ(Count(screen, BLUE), 0) << effect;
        EXPECT_EQ(screen.pixel(29, 5), RED) << effect;
        EXPECT_EQ(screen.pixel(30, 5), qRgb(0, 0, 0)) << effect;
        EXPECT_EQ(picture.m_lastPlacement.m_current.x, effect == 4 ? -50 : 0);
    }
}

TEST(Show, PicturesWithoutSizeOrOffScreenDrawNothing) {
    Stage stage(QSize(200, 100));
    stage.window.SetBackgroundColor(RGB(1, 1, 1), 0);
    CPictureItem& empty = stage.Add<CPictureItem>();
    CPictureItem& far = stage.AddPicture(QSize(10, 10), RED, MARK);
    const QImage before = stage.window.Snapshot();
    for (std::uint32_t effect : {0U, 1U, 2U, 3U, 40U, 77U}) {
        for (CPictureItem* picture : {&empty, &far}) {
            if (picture == &far && (effect == 1 || effect == 2)) {
                continue; // tiles and stretches cover the screen wherever the picture is
            }
            picture->m_lastPlacement.m_effect = effect;
            picture->m_lastPlacement.m_current = {500, 500};
            picture->m_lastColor.m_useScreenColor = TRUE;
            EXPECT_TRUE(picture->Show(stage.dc, stage.thread));
            EXPECT_TRUE(picture->IsShown());
        }
    }
    EXPECT_EQ(stage.window.Snapshot(), before);
}

TEST(Show, RandomEffectIsAlwaysATransition) {
    Stage stage(QSize(64, 64));
    CPictureItem& picture = stage.AddPicture(QSize(8, 8), RED, MARK);
    for (int i = 0; i < 300; ++i) {
        picture.m_lastPlacement.m_effect = 3;
        picture.Show(stage.dc, stage.thread);
        EXPECT_GE(picture.m_lastPlacement.m_effect, 4U);
        EXPECT_LE(picture.m_lastPlacement.m_effect, 76U);
    }
}

TEST(Show, MoveEndsAtItsEndWithTheVacatedAreaInTheBackgroundColour) {
    Stage stage(QSize(200, 100));
    auto& background = stage.Add<CBackgroundItem>();
    background.m_color.m_color = RGB(0, 0, 255);
    CPictureItem& picture = stage.AddPicture(QSize(20, 20), RED, MARK);
    auto& move = stage.AddAction<CMovePictureItem>(picture, {0, 10}, {100, 10});
    move.m_placement.m_step = {7, 1};
    stage.thread.PlayScene();
    const QImage screen = stage.window.Snapshot();
    // 0, 7, ..., 98, 105: complete once past the end, and drawn there.
    EXPECT_EQ(screen.pixel(105, 10), MARK);
    EXPECT_EQ(Count(screen, MARK), 1);
    EXPECT_EQ(Count(screen, RED), 20 * 20 - 1);
    EXPECT_EQ(screen.pixel(50, 20), BLUE);
    EXPECT_EQ(picture.m_lastPlacement.m_current, (CPoint{105, 10}));
}

TEST(Show, MoveFarStepsErasesAndShows) {
    Stage stage(QSize(200, 100));
    CPictureItem& picture = stage.AddPicture(QSize(10, 10), RED, MARK);
    auto& move = stage.AddAction<CMovePictureItem>(picture, {0, 0}, {150, 0});
    move.m_placement.m_step = {50, 1};
    stage.thread.PlayScene();
    const QImage screen = stage.window.Snapshot();
    EXPECT_EQ(screen.pixel(150, 0), MARK);
    EXPECT_EQ(Count(screen, RED) + Count(screen, MARK), 100);
}

TEST(Show, HideRestoresTheKeptBackgroundOrErases) {
    for (const BOOL keep : {TRUE, FALSE}) {
        Stage stage(QSize(100, 100));
        auto& background = stage.Add<CBackgroundItem>();
        background.m_color.m_color = RGB(0, 0, 255);
        auto& line = stage.Add<CLineItem>();
        line.m_placement.m_start = {0, 15};
        line.m_placement.m_end = {100, 15};
        line.m_color.m_color = RGB(0, 255, 0);
        CPictureItem& picture = stage.AddPicture(QSize(30, 30), RED, RED);
        auto& show = stage.AddAction<CShowPictureItem>(picture, {10, 10}, {0, 0});
        show.m_placement.m_keepBackground = keep;
        auto& hide = stage.AddAction<CHidePictureItem>(picture, {0, 0}, {0, 0});
        (void)hide;
        stage.thread.PlayScene();
        const QImage screen = stage.window.Snapshot();
        EXPECT_EQ(Count(screen, RED), 0);
        EXPECT_EQ(screen.pixel(20, 15), keep ? MARK : BLUE) << keep;
        EXPECT_FALSE(picture.IsShown());
    }
}

TEST(Show, HideOfAPictureNotShownDoesNothing) {
    Stage stage(QSize(50, 50));
    CPictureItem& picture = stage.AddPicture(QSize(10, 10), RED, RED);
    stage.window.SetBackgroundColor(RGB(9, 9, 9), 0);
    stage.window.Screen().Fill(BLUE);
    CHidePictureItem hide;
    hide.m_picture = &picture;
    int index = 0;
    hide.Run(stage.dc, index, stage.thread);
    EXPECT_EQ(Count(stage.window.Snapshot(), BLUE), 50 * 50);
}

} // namespace
