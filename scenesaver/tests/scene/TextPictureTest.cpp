// Text pictures: measuring, rendering, transparent drawing and the typewriter.

#include "platform/Drawing.h"
#include "scene/FontMapping.h"
#include "scene/LogFont.h"

#include "PlaybackSupport.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

CPictureItem& AddText(Stage& stage, const std::string& text, BOOL opaque) {
    auto& picture = stage.Add<CPictureItem>();
    picture.m_contentKind = contentText;
    picture.m_text = text;
    picture.m_opaque = opaque;
    picture.m_textColor = RGB(200, 0, 0);
    picture.m_backgroundColor = RGB(0, 0, 90);
    picture.m_font.lfHeight = -16;
    SetFaceName(picture.m_font, "MS Sans Serif");
    return picture;
}

QFontMetrics Metrics(const CPictureItem& picture) {
    return QFontMetrics(FontFromLogFont(picture.m_font));
}

TEST(TextPicture, ClassicFacesMapToInstalledFonts) {
    LOGFONTA font;
    const std::pair<const char*, const char*> cases[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"", "Liberation Sans"},
    };
    for (const auto& [face, family] : cases) {
        SetFaceName(font, face);
        EXPECT_EQ(MappedFamily(font).toStdString(), family) << face;
        EXPECT_EQ(QFontInfo(FontFromLogFont(font)).family().toStdString(), family) << face;
    }
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfHeight = -20;
    const QFont bold = FontFromLogFont(font);
    EXPECT_TRUE(bold.bold());
    EXPECT_TRUE(bold.italic());
    EXPECT_EQ(bold.pixelSize(), 20);
}

TEST(TextPicture, SizeIsTheWidestLineByLinesOfW) {
    Stage stage;
    CPictureItem& picture = AddText(stage, "ab\r\nlonger line", TRUE);
    ASSERT_TRUE(picture.Render({}));
    const QFontMetrics metrics = Metrics(picture);
    EXPECT_EQ(picture.GetSize(),
              QSize(metrics.horizontalAdvance("longer line"), 2 * metrics.height()));
    EXPECT_TRUE(picture.m_icon.isNull());

    // A line ending in LF alone is measured one character short.
    ASSERT_TRUE(picture.Render("longer line\nab"));
    EXPECT_EQ(picture.GetSize().width(), metrics.horizontalAdvance("longer lin"));

    EXPECT_FALSE(picture.Render("\r\n")) << "nothing to measure";
}

TEST(TextPicture, OpaqueTextIsASolidBlockOfItsBackground) {
    Stage stage;
    CPictureItem& picture = AddText(stage, "Hi", TRUE);
    auto& show = stage.AddAction<CShowPictureItem>(picture, {10, 10}, {0, 0});
    (void)show;
    ASSERT_TRUE(picture.Render({}));
    stage.thread.PlayScene();
    const QImage screen = stage.window.Snapshot();
    const QSize size = picture.GetSize();
    int ink = 0;
    for (int y = 10; y < 10 + size.height(); ++y) {
        for (int x = 10; x < 10 + size.width(); ++x) {
            const QRgb pixel = screen.pixel(x, y);
            ASSERT_TRUE(pixel == qRgb(0, 0, 90) || pixel == qRgb(200, 0, 0)) << x << "," << y;
            ink += pixel == qRgb(200, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 10);
}

TEST(TextPicture, TransparentTextLeavesTheScreenBetweenTheLetters) {
    // Effect 4 places the picture itself: the letters must be taken from the
    // screen at the picture's place, not at the screen's corner.
    for (const std::uint32_t effect : {0U, 37U, 4U}) {
        Stage stage(QSize(200, 100));
        CPictureItem& picture = AddText(stage, "Wave", FALSE);
        auto& show = stage.AddAction<CShowPictureItem>(picture, {20, 30}, {0, 0});
        show.m_placement.m_effect = effect;
        ASSERT_TRUE(picture.Render({}));
        // A screen of many colours under the text.
        stage.window.Screen().SetPresenter({});
        QImage pattern(200, 100, QImage::Format_RGB32);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                pattern.setPixel(x, y, qRgb(x, y, 7));
            }
        }
        int index = 0;
        {
            auto lock = stage.window.Screen().Lock();
            stage.window.Screen().Image() = pattern;
        }
        show.Run(stage.dc, index, stage.thread);
        const QImage screen = stage.window.Snapshot();
        int ink = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                const QRgb pixel = screen.pixel(x, y);
                if (pixel == qRgb(200, 0, 0)) {
                    ++ink;
                } else {
                    ASSERT_EQ(pixel, pattern.pixel(x, y)) << effect << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(ink, 20) << effect;
    }
}

TEST(TextPicture, TypewriterShowsOneStepPerVisibleCharacter) {
    Stage stage;
    CPictureItem& picture = AddText(stage, "ab\r\ncde", TRUE);
    picture.m_lastPlacement.m_current = {5, 5};
    std::vector<std::size_t> steps;
    for (std::size_t position = 0;; ++position) {
        const bool more = picture.ShowNextCharacter(stage.dc, stage.thread, position);
        steps.push_back(position);
        if (!more) {
            break;
        }
    }
    EXPECT_EQ(steps, (std::vector<std::size_t>{0, 1, 4, 5, 6}));
    ASSERT_TRUE(picture.IsShown());
    CPictureItem whole;
    whole.m_contentKind = contentText;
    whole.m_text = picture.m_text;
    whole.m_font = picture.m_font;
    ASSERT_TRUE(whole.Render({}));
    EXPECT_EQ(picture.GetSize(), whole.GetSize()) << "the last step shows the whole text";
}

TEST(TextPicture, TypewriterItemPausesBetweenCharactersAndStops) {
    Stage stage;
    CPictureItem& picture = AddText(stage, "abc", TRUE);
    auto& show = stage.AddAction<CShowPictureItem>(picture, {0, 0}, {0, 0});
    show.m_placement.m_typewriter = TRUE;
    show.m_placement.m_typewriterDelay = 1950; // 50 ms between characters
    ASSERT_TRUE(picture.Render({}));
    const auto start = std::chrono::steady_clock::now();
    stage.thread.PlayScene();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_TRUE(picture.IsShown());

    show.m_placement.m_typewriterDelay = 60000; // above 2000: no pause, never a wrapped one
    const auto fast = std::chrono::steady_clock::now();
    stage.thread.PlayScene();
    EXPECT_LT(std::chrono::steady_clock::now() - fast, std::chrono::seconds(2));

    show.m_placement.m_typewriterDelay = 0; // two seconds a character
    ASSERT_TRUE(stage.thread.Start());
    EXPECT_FALSE(stage.thread.FinishedEvent().waitFor(std::chrono::milliseconds(50)));
    const auto stopping = std::chrono::steady_clock::now();
    stage.thread.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, std::chrono::milliseconds(100));
}

} // namespace
