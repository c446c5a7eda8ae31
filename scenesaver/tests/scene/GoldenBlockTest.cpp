// The reader against blocks of each format version, encoded by hand.

#include "scene/DrawItems.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"

#include "SceneTestSupport.h"

#include <array>

namespace {

using Bytes = std::vector<std::uint8_t>;

void ExpectCommonPart(const CPlacement& p) {
    EXPECT_EQ(p.m_start, (CPoint{11, 12}));
    EXPECT_EQ(p.m_end, (CPoint{21, 22}));
    EXPECT_EQ(p.m_step, (CPoint{3, 4}));
    EXPECT_EQ(p.m_horizontal, FALSE);
    EXPECT_EQ(p.m_xEndTest, 1U);
    EXPECT_EQ(p.m_endBound, (CPoint{31, 32}));
    EXPECT_TRUE(p.m_bothTests);
    EXPECT_EQ(p.m_yEndTest, 2U);
    EXPECT_TRUE(p.m_freeMotion);
    EXPECT_EQ(p.m_motionSpeed, 99000U);
    EXPECT_EQ(p.m_typewriterDelay, 1500U);
    EXPECT_TRUE(p.m_typewriter);
}

using Modes = std::array<std::uint32_t, 4>;

TEST(GoldenBlock, Version10) {
    BlockBytes b;
    b.BlockHead(1.0F).I32(5);
    // picture: content kind and opaque only
    b.ItemHead(0, "Pic", false, 77)
        .U32(0)
        .Flag(false)
        .U32(3)
        .Scrambled("a.bmp")
        .ScrambledRaw({1, 2, 3});
    // show: four random flags, then the common part
    b.ItemHead(1, "Show").Flag(true).Flag(false).Flag(false).Flag(true).PlacementCommon();
    b.ColorBlock(0x112233, 1, false, false);
    // media: no type before 2.0
    b.ItemHead(9, "Snd").U32(2).Scrambled("s.wav").ScrambledRaw({9, 8});
    // play: no video position before 2.1
    b.ItemHead(10, "Play").U32(3).Flag(false).Flag(true).Flag(false);
    b.ItemHead(12, "Note").Scrambled("hi");
    b.Users({1}).Users({3});

    CScene scene;
    ASSERT_TRUE(Reads(b, scene));
    ASSERT_EQ(scene.Items().size(), 5U);
    auto& picture = ItemAt<CPictureItem>(scene, 0);
    EXPECT_EQ(picture.m_label.m_text, "Pic");
    EXPECT_EQ(picture.m_reserved, 77U);
    EXPECT_EQ(picture.m_opaque, FALSE);
    EXPECT_EQ(picture.m_source, sourceEmbedded);
    EXPECT_EQ(picture.m_fileName, "a.bmp");
    EXPECT_EQ(picture.m_imageBytes, (Bytes{1, 2, 3}));
    ASSERT_EQ(picture.m_users.size(), 1U);
    EXPECT_EQ(picture.m_users[0].m_item, scene.Items()[1].get());

    auto& show = ItemAt<CShowPictureItem>(scene, 1);
    EXPECT_EQ(show.m_placement.m_mode, (Modes{3, 5, 5, 3}));
    ExpectCommonPart(show.m_placement);
    EXPECT_EQ(show.m_placement.m_effect, 0U);
    EXPECT_EQ(show.m_placement.m_effectSpeed, 100U);
    EXPECT_EQ(show.m_color.m_color, 0x112233U);
    EXPECT_EQ(show.m_color.m_rasterOperation, 1U);
    EXPECT_FALSE(show.m_color.m_useScreenColor);
    EXPECT_EQ(show.m_picture, &picture);

    auto& media = ItemAt<CMediaItem>(scene, 2);
    EXPECT_EQ(media.m_mediaType, mediaWave);
    EXPECT_EQ(media.m_fileName, "s.wav");
    EXPECT_EQ(media.m_mediaBytes, (Bytes{9, 8}));
    auto& play = ItemAt<CPlayMediaItem>(scene, 3);
    EXPECT_EQ(play.m_play.m_repeatCount, 3U);
    EXPECT_TRUE(play.m_play.m_wait);
    EXPECT_EQ(play.m_media, &media);
    EXPECT_EQ(ItemAt<CRemarkItem>(scene, 4).m_text, "hi");
    for (std::size_t i = 0; i < scene.Items().size(); ++i) {
        EXPECT_EQ(scene.Items()[i]->m_index, static_cast<int>(i));
    }
}

TEST(GoldenBlock, Version20) {
    LOGFONTA font;
    font.lfHeight = -24;
    font.lfWeight = 700;
    font.lfItalic = 1;
    SetFaceName(font, "Serif");
    const auto fontBytes = EncodeLogFont(font);

    BlockBytes b;
    b.BlockHead(2.0F).I32(4);
    // text picture with the desktop flag of the 1.01 to 2.1 head
    b.ItemHead(0, "Title").U32(1).Flag(true).Flag(true).U32(0x0000FF).U32(0xFFFFFF);
    b.Scrambled("Hello").ScrambledRaw(Bytes(fontBytes.begin(), fontBytes.end()));
    // line: colour first, then a placement with random and centred flags
    b.ItemHead(8, "Line").ColorBlock(0x00FF00);
    b.Flag(false).Flag(true).Flag(false).Flag(false); // random
    b.Flag(true).Flag(true).Flag(false).Flag(false);  // centred
    b.PlacementCommon().Flag(true).Flag(true).U32(2).U32(3);
    // media with its type from 2.0 on
    b.ItemHead(9, "Video").U32(1).Scrambled("v.avi").U32(1).ScrambledRaw({42});
    b.ItemHead(10, "Play").U32(1).Flag(true).Flag(false).Flag(true);
    b.Users({}).Users({3});

    CScene scene;
    ASSERT_TRUE(Reads(b, scene));
    auto& picture = ItemAt<CPictureItem>(scene, 0);
    EXPECT_TRUE(picture.IsText());
    EXPECT_EQ(picture.m_source, sourceDesktop);
    EXPECT_EQ(picture.m_textColor, 0x0000FFU);
    EXPECT_EQ(picture.m_backgroundColor, 0xFFFFFFU);
    EXPECT_EQ(picture.m_text, "Hello");
    EXPECT_EQ(picture.m_font, font);

    auto& line = ItemAt<CLineItem>(scene, 1);
    EXPECT_EQ(line.m_color.m_color, 0x00FF00U);
    EXPECT_EQ(line.m_placement.m_mode, (Modes{1, 1, 5, 5})); // centred wins over random
    ExpectCommonPart(line.m_placement);
    EXPECT_TRUE(line.m_placement.m_restoreFromBackdrop);
    EXPECT_TRUE(line.m_placement.m_keepBackground);
    EXPECT_EQ(line.m_placement.m_effect, 0U); // no effect before 2.0 < v
    EXPECT_EQ(line.m_penStyle, 2U);
    EXPECT_EQ(line.m_penWidth, 3U);

    EXPECT_EQ(ItemAt<CMediaItem>(scene, 2).m_mediaType, mediaVideo);
    auto& play = ItemAt<CPlayMediaItem>(scene, 3);
    EXPECT_TRUE(play.m_play.m_forever);
    EXPECT_TRUE(play.m_play.m_loop);
    EXPECT_EQ(play.m_play.m_videoPosition, (CPoint{0, 0}));
}

TEST(GoldenBlock, Version21) {
    BlockBytes b;
    b.BlockHead(2.1F).I32(4);
    // 2.1 still has the desktop flag (single-precision 2.1 <= 2.1)
    b.ItemHead(0, "Pic").U32(0).Flag(true).Flag(false).U32(1).Scrambled("p.jpg").ScrambledRaw({5});
    // 2.1 is outside 1.1 < v < 2.1 but inside 2.0 < v < 3.0: flags, common, two
    // flags and the effect
    b.ItemHead(2, "Move");
    b.Flag(true).Flag(true).Flag(true).Flag(true);    // random
    b.Flag(false).Flag(false).Flag(true).Flag(false); // centred
    b.PlacementCommon().Flag(false).Flag(true).U32(17);
    b.ColorBlock(0, 0, true, false);
    b.ItemHead(9, "Mp3").U32(1).Scrambled("m.mp3").U32(2).ScrambledRaw({1});
    // the video position arrives with 2.1
    b.ItemHead(10, "Play").U32(1).Flag(false).Flag(false).Flag(false).Point(-40, 50);
    b.Users({1}).Users({3});

    CScene scene;
    ASSERT_TRUE(Reads(b, scene));
    EXPECT_EQ(ItemAt<CPictureItem>(scene, 0).m_source, sourceEmbedded);
    auto& move = ItemAt<CMovePictureItem>(scene, 1);
    EXPECT_EQ(move.m_placement.m_mode, (Modes{3, 3, 1, 3}));
    ExpectCommonPart(move.m_placement);
    EXPECT_TRUE(move.m_placement.m_keepBackground);
    EXPECT_EQ(move.m_placement.m_effect, 17U);
    EXPECT_EQ(move.m_placement.m_effectSpeed, 100U);
    EXPECT_TRUE(move.m_color.m_random);
    EXPECT_EQ(ItemAt<CMediaItem>(scene, 2).m_mediaType, mediaMp3);
    EXPECT_EQ(ItemAt<CPlayMediaItem>(scene, 3).m_play.m_videoPosition, (CPoint{-40, 50}));
}

TEST(GoldenBlock, Version32StoresNoPlacement) {
    BlockBytes b;
    b.BlockHead(3.2F).I32(3);
    b.ItemHead(0, "Wall").U32(0).Flag(true).U32(3).U32(1).Scrambled("w.bmp").ScrambledRaw({7});
    // no placement at all: the head is followed by the colour block
    b.ItemHead(3, "Hide").ColorBlock(0xABCDEF);
    b.ItemHead(5, "Back").ColorBlock(0x123456, 7, true, false);
    b.Users({1});

    CScene scene;
    ASSERT_TRUE(Reads(b, scene));
    EXPECT_EQ(ItemAt<CPictureItem>(scene, 0).m_source, sourceWallpaper);
    auto& hide = ItemAt<CHidePictureItem>(scene, 1);
    EXPECT_EQ(hide.m_placement.m_mode, (Modes{5, 5, 5, 5}));
    EXPECT_EQ(hide.m_placement.m_step, (CPoint{1, 1}));
    EXPECT_EQ(hide.m_placement.m_motionSpeed, 100000U);
    EXPECT_EQ(hide.m_color.m_color, 0xABCDEFU);
    auto& back = ItemAt<CBackgroundItem>(scene, 2);
    EXPECT_EQ(back.m_color.m_rasterOperation, 7U);
    EXPECT_TRUE(back.m_color.m_random);
}

TEST(GoldenBlock, Version40) {
    BlockBytes b;
    b.BlockHead(4.0F).I32(9);
    b.ItemHead(6, "Loop");
    b.ItemHead(0, "Pic", true)
        .U32(0)
        .Flag(false)
        .U32(2)
        .U32(2)
        .Scrambled("d.bmp")
        .ScrambledRaw({1, 1});
    b.ItemHead(1, "Show").U32(0).U32(1).U32(2).U32(4).PlacementCommon();
    b.Flag(true).Flag(false).U32(44).U32(700).ColorBlock(0x010203);
    b.ItemHead(4, "Wait").U32(2500).Flag(true);
    b.ItemHead(7, "End").U32(3).Flag(true);
    b.ItemHead(9, "Snd").U32(1).Scrambled("x.wav").U32(0).ScrambledRaw({0});
    b.ItemHead(11, "Stop");
    b.ItemHead(13, "Link").Flag(true).I32(0x70).Scrambled("https://example.org/");
    b.ItemHead(12, "Remark", true).Scrambled("");
    b.Users({2}).Users({6});

    CScene scene;
    ASSERT_TRUE(Reads(b, scene));
    ASSERT_EQ(scene.Items().size(), 9U);
    auto& picture = ItemAt<CPictureItem>(scene, 1);
    EXPECT_TRUE(picture.IsDisabled());
    EXPECT_EQ(picture.m_source, sourceDesktop);
    auto& show = ItemAt<CShowPictureItem>(scene, 2);
    EXPECT_EQ(show.m_placement.m_mode, (Modes{0, 1, 2, 4}));
    ExpectCommonPart(show.m_placement);
    EXPECT_TRUE(show.m_placement.m_restoreFromBackdrop);
    EXPECT_FALSE(show.m_placement.m_keepBackground);
    EXPECT_EQ(show.m_placement.m_effect, 44U);
    EXPECT_EQ(show.m_placement.m_effectSpeed, 700U);
    EXPECT_EQ(show.m_picture, &picture);
    auto& pause = ItemAt<CPauseItem>(scene, 3);
    EXPECT_EQ(pause.m_duration.m_milliseconds, 2500U);
    EXPECT_TRUE(pause.m_duration.m_random);
    auto& loopEnd = ItemAt<CLoopEndItem>(scene, 4);
    EXPECT_EQ(loopEnd.m_repeat.m_repeatCount, 3U);
    EXPECT_TRUE(loopEnd.m_repeat.m_forever);
    EXPECT_EQ(ItemAt<CStopMediaItem>(scene, 6).m_media, &ItemAt<CMediaItem>(scene, 5));
    auto& link = ItemAt<CLinkItem>(scene, 7);
    EXPECT_TRUE(link.m_clear);
    EXPECT_EQ(link.m_triggerKey, 0x70);
    EXPECT_EQ(link.m_link, "https://example.org/");
    EXPECT_TRUE(ItemAt<CRemarkItem>(scene, 8).IsDisabled());
}

// Each placement layout is read when its own condition on the version holds,
// so versions inside two ranges read two layouts in a row.
struct PlacementCase {
    float version;
    int layouts[5]; // which of the five layouts follow, in order
    Modes modes;
    std::uint32_t effect;
    std::uint32_t speed;
};

class PlacementLayouts : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementLayouts, ReadsTheLayoutsTheVersionSelects) {
    const PlacementCase& c = GetParam();
    BlockBytes b;
    b.BlockHead(c.version).I32(1).ItemHead(3, "Hide");
    for (int layout : c.layouts) {
        switch (layout) {
        case 1:
            b.Flag(true).Flag(false).Flag(false).Flag(false).PlacementCommon();
            break;
        case 2:
        case 3:
        case 4:
            b.Flag(false).Flag(false).Flag(false).Flag(false);
            b.Flag(false).Flag(true).Flag(false).Flag(false).PlacementCommon().Flag(true).Flag(
                true);
            if (layout >= 3) {
                b.U32(10 + static_cast<std::uint32_t>(layout));
            }
            if (layout == 4) {
                b.U32(500);
            }
            break;
        case 5:
            b.U32(2).U32(2).U32(2).U32(2).PlacementCommon().Flag(true).Flag(true).U32(15).U32(600);
            break;
        default:
            break;
        }
    }
    b.ColorBlock();
    CScene scene;
    ASSERT_TRUE(Reads(b, scene)) << "version " << c.version;
    const CPlacement& p = ItemAt<CHidePictureItem>(scene, 0).m_placement;
    EXPECT_EQ(p.m_mode, c.modes);
    EXPECT_EQ(p.m_effect, c.effect);
    EXPECT_EQ(p.m_effectSpeed, c.speed);
}

INSTANTIATE_TEST_SUITE_P(Versions, PlacementLayouts,
                         ::testing::Values(PlacementCase{1.0F, {1}, {3, 5, 5, 5}, 0, 100},
                                           PlacementCase{2.0F, {2}, {5, 1, 5, 5}, 0, 100},
                                           PlacementCase{2.05F, {2, 3}, {5, 1, 5, 5}, 13, 100},
                                           PlacementCase{2.1F, {3}, {5, 1, 5, 5}, 13, 100},
                                           PlacementCase{2.95F, {3, 4}, {5, 1, 5, 5}, 14, 500},
                                           PlacementCase{3.0F, {4}, {5, 1, 5, 5}, 14, 500},
                                           PlacementCase{3.1F, {4}, {5, 1, 5, 5}, 14, 500},
                                           PlacementCase{3.2F, {}, {5, 5, 5, 5}, 0, 100},
                                           PlacementCase{1.05F, {}, {5, 5, 5, 5}, 0, 100},
                                           PlacementCase{4.0F, {5}, {2, 2, 2, 2}, 15, 600}));

// The picture head: content kind and opaque, then the desktop flag or the
// source depending on the version; versions between the ranges store nothing.
struct PictureHeadCase {
    float version;
    int form; // 0 nothing, 1 two fields, 2 with the desktop flag, 3 with the source
    std::uint32_t source;
    BOOL opaque;
};

class PictureHeads : public ::testing::TestWithParam<PictureHeadCase> {};

TEST_P(PictureHeads, ReadsTheHeadTheVersionSelects) {
    const PictureHeadCase& c = GetParam();
    BlockBytes b;
    b.BlockHead(c.version).I32(1).ItemHead(0, "Pic", true);
    if (c.form >= 1) {
        b.U32(0).Flag(false);
    }
    if (c.form == 2) {
        b.Flag(true);
    }
    if (c.form == 3) {
        b.U32(3);
    }
    b.U32(0).Users({});
    CScene scene;
    ASSERT_TRUE(Reads(b, scene)) << "version " << c.version;
    const auto& picture = ItemAt<CPictureItem>(scene, 0);
    EXPECT_EQ(picture.m_source, c.source);
    EXPECT_EQ(picture.m_opaque, c.opaque);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, PictureHeads,
    ::testing::Values(PictureHeadCase{1.0F, 1, 1, FALSE}, PictureHeadCase{1.01F, 2, 2, FALSE},
                      PictureHeadCase{2.1F, 2, 2, FALSE}, PictureHeadCase{2.105F, 0, 1, TRUE},
                      PictureHeadCase{2.11F, 3, 3, FALSE}, PictureHeadCase{0.5F, 0, 1, TRUE},
                      PictureHeadCase{4.0F, 3, 3, FALSE}));

} // namespace
