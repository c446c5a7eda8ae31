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

// The rows and columns that hold ink of the colour.
QRect InkBounds(const QImage& image, QRgb ink) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == ink) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

TEST(TextPicture, EscapementTurnsTheText) {
    Stage stage;
    // The ink is all at the start of the line, the spaces keep the rest.
    CPictureItem& picture = AddText(stage, "W      ", TRUE);
    ASSERT_TRUE(picture.Render({}));
    const QSize flat = picture.GetSize();
    const QRgb ink = qRgb(200, 0, 0);
    ASSERT_LT(InkBounds(picture.m_bitmap.image, ink).right(), flat.width() / 2);

    // A quarter turn counter-clockwise: the bitmap stands on its end and the
    // start of the line is at the bottom.
    picture.m_font.lfEscapement = 900;
    ASSERT_TRUE(picture.Render({}));
    EXPECT_EQ(picture.GetSize(), flat.transposed());
    EXPECT_EQ(picture.m_bitmap.image.size(), flat.transposed());
    const QRect turned = InkBounds(picture.m_bitmap.image, ink);
    EXPECT_GT(turned.top(), picture.GetSize().height() / 2) << "ink in the upper half";

    // Upside down: the start of the line is at the right.
    picture.m_font.lfEscapement = 1800;
    ASSERT_TRUE(picture.Render({}));
    EXPECT_EQ(picture.GetSize(), flat);
    EXPECT_GT(InkBounds(picture.m_bitmap.image, ink).left(), flat.width() / 2);
}

TEST(TextPicture, AverageWidthCondensesOrExpandsTheText) {
    Stage stage;
    CPictureItem& picture = AddText(stage, "Wide and narrow", TRUE);
    ASSERT_TRUE(picture.Render({}));
    const int natural = picture.GetSize().width();
    const int height = picture.GetSize().height();
    const int average = Metrics(picture).averageCharWidth();
    ASSERT_GT(average, 1);
    struct Case {
        int width;
        double ratio;
    };
    for (const Case c : {Case{2 * average, 2.0}, Case{average / 2, 0.5}}) {
        picture.m_font.lfWidth = c.width;
        ASSERT_TRUE(picture.Render({}));
        const double ratio = static_cast<double>(picture.GetSize().width()) / natural;
        EXPECT_NEAR(ratio, c.ratio, c.ratio * 0.2) << "average width " << c.width;
        EXPECT_EQ(picture.GetSize().height(), height) << "only the width changes";
    }
}

TEST(TextPicture, SymbolCharacterSetDrawsTheSymbolGlyphs) {
    Stage stage;
    CPictureItem& latin = AddText(stage, "abgp", TRUE);
    CPictureItem& symbol = AddText(stage, "abgp", TRUE);
    symbol.m_font.lfCharSet = 2; // SYMBOL_CHARSET
    ASSERT_TRUE(latin.Render({}));
    ASSERT_TRUE(symbol.Render({}));
    // The Greek letters, not the Latin ones, in a face that has them.
    LOGFONTA face = latin.m_font;
    SetFaceName(face, "Standard Symbols PS");
    const QFont greek = FontFromLogFont(face);
    // Installed twice (Type 1 and X11 copies), the family comes back with
    // its foundry: "Standard Symbols PS [URW ]".
    EXPECT_TRUE(QFontInfo(greek).family().startsWith(QStringLiteral("Standard Symbols PS")))
        << QFontInfo(greek).family().toStdString();
    EXPECT_EQ(symbol.GetSize().width(),
              QFontMetrics(greek).horizontalAdvance(QString::fromUtf8("\u03B1\u03B2\u03B3\u03C0")));
    EXPECT_NE(latin.GetSize().width(), symbol.GetSize().width());
}

} // namespace
