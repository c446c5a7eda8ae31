// Embedded pictures are checked at load and decoded when shown; the scene
// keeps the pixels of the last two drawn and gives the others back.

#include "platform/MessageBox.h"
#include "scene/PictureActions.h"

#include "../imglib/JpegTestSupport.h"
#include "PlaybackSupport.h"
#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A w by h 24-bit bitmap of one colour.
std::vector<std::uint8_t> SolidBmp(int w, int h, QRgb colour) {
    BmpLayout layout;
    layout.width = w;
    layout.height = h;
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    layout.pixels.assign(static_cast<std::size_t>(rowBytes) * h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &layout.pixels[static_cast<std::size_t>(y * rowBytes + x * 3)];
            p[0] = static_cast<std::uint8_t>(qBlue(colour));
            p[1] = static_cast<std::uint8_t>(qGreen(colour));
            p[2] = static_cast<std::uint8_t>(qRed(colour));
        }
    }
    return BuildBmp(layout);
}

int HeldCount(const CScene& scene) {
    int held = 0;
    for (const auto& item : scene.Items()) {
        if (const auto* picture = dynamic_cast<const CPictureItem*>(item.get())) {
            held += picture->m_bitmap.IsNull() ? 0 : 1;
        }
    }
    return held;
}

class PicturePixels : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetMessagePresenter(
            [this](const std::string& text, MessageIcon) { shown.push_back(text); });
    }
    void TearDown() override { SetMessagePresenter(previous); }

    MessagePresenter previous;
    std::vector<std::string> shown;
};

TEST_F(PicturePixels, ALongSceneHoldsAtMostTwoPictures) {
    // Six pictures, each wider than the one before, shown in turn at the
    // same place (11, 12), then the first again.
    const QRgb colours[] = {qRgb(200, 0, 0),   qRgb(0, 200, 0),   qRgb(0, 0, 200),
                            qRgb(200, 200, 0), qRgb(0, 200, 200), qRgb(200, 0, 200)};
    constexpr int kPictures = 6;
    BlockBytes b;
    b.BlockHead(4.0F).I32(2 * kPictures + 1);
    for (int i = 0; i < kPictures; ++i) {
        b.ImagePicture40("P" + std::to_string(i), SolidBmp(8 + i, 6, colours[i]));
    }
    for (int i = 0; i <= kPictures; ++i) {
        b.PictureAction40(kindShowPicture, "S" + std::to_string(i));
    }
    b.Users({kPictures, 2 * kPictures});
    for (int i = 1; i < kPictures; ++i) {
        b.Users({static_cast<std::uint32_t>(kPictures + i)});
    }
    Stage stage;
    ASSERT_TRUE(LoadSceneBlock(b.bytes, stage.scene));
    EXPECT_TRUE(shown.empty());

    // Loading measured every picture and decoded none.
    const auto& items = stage.scene.Items();
    for (int i = 0; i < kPictures; ++i) {
        const auto& picture = dynamic_cast<const CPictureItem&>(*items[i]);
        EXPECT_EQ(picture.GetSize(), QSize(8 + i, 6)) << i;
    }
    EXPECT_EQ(HeldCount(stage.scene), 0);

    for (int step = 0; step <= kPictures; ++step) {
        int index = kPictures + step;
        items[static_cast<std::size_t>(index)]->Run(stage.dc, index, stage.thread);
        const int shownPicture = step % kPictures;
        const auto& picture = dynamic_cast<const CPictureItem&>(*items[shownPicture]);
        EXPECT_FALSE(picture.m_bitmap.IsNull()) << step;
        EXPECT_LE(HeldCount(stage.scene), 2) << step;
        EXPECT_EQ(stage.window.Pixel(11, 12), colours[shownPicture]) << step;
        EXPECT_EQ(stage.window.Pixel(11 + 7 + shownPicture, 12 + 5), colours[shownPicture]) << step;
    }
    // The first picture was given back long ago and decoded again for its
    // second show; the one before it is still held, older ones are not.
    const auto& last = dynamic_cast<const CPictureItem&>(*items[kPictures - 1]);
    const auto& older = dynamic_cast<const CPictureItem&>(*items[kPictures - 2]);
    EXPECT_FALSE(last.m_bitmap.IsNull());
    EXPECT_TRUE(older.m_bitmap.IsNull());
    EXPECT_EQ(older.GetSize(), QSize(8 + kPictures - 2, 6));
    EXPECT_TRUE(shown.empty());
}

TEST_F(PicturePixels, ABrokenPictureStillFailsTheLoad) {
    const Bytes good = EncodeJpeg(32, 24, Gradient(32, 24, 3));
    struct Case {
        const char* name;
        Bytes picture;
        bool loads;
        std::string message;
    };
    const Case cases[] = {
        {"whole JPEG", good, true, ""},
        // The header is there, the rows end early: the decoder fills them in.
        {"JPEG cut in its rows", Bytes(good.begin(), good.end() - 200), true, ""},
        {"JPEG cut in its header", Bytes(good.begin(), good.begin() + 100), false,
         "Error reckognizing picture (picture.bmp) format!\n\rError code:9"},
        {"bitmap of no width", SolidBmp(0, 4, 0), false,
         "Error reckognizing picture (picture.bmp) format!\n\rError code:6"},
    };
    for (const Case& c : cases) {
        shown.clear();
        BlockBytes b;
        b.BlockHead(4.0F).I32(2).ImagePicture40("P", c.picture);
        b.PictureAction40(kindShowPicture, "S").Users({1});
        Stage stage;
        EXPECT_EQ(LoadSceneBlock(b.bytes, stage.scene), c.loads) << c.name;
        EXPECT_EQ(shown, c.message.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{c.message})
            << c.name;
        if (!c.loads) {
            continue;
        }
        // What loads also shows, at (11, 12): the top rows are the picture's.
        int index = 1;
        stage.scene.Items()[1]->Run(stage.dc, index, stage.thread);
        const Decoded whole = DecodeJpegBytes(good);
        const std::uint8_t* rgb = whole.pixels.data();
        const QRgb first = stage.window.Pixel(11, 12);
        EXPECT_NEAR(qRed(first), rgb[0], 1) << c.name;
        EXPECT_NEAR(qGreen(first), rgb[1], 1) << c.name;
        EXPECT_NEAR(qBlue(first), rgb[2], 1) << c.name;
        EXPECT_TRUE(shown.empty()) << c.name;
    }
}

} // namespace
