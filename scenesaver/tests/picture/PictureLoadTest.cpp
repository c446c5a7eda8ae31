// Loading picture files into a picture item: decoding, the icon fallback and
// the messages shown on failure.

#include "../imglib/ImgTestSupport.h"

#include "platform/MessageBox.h"
#include "scene/PictureItem.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <vector>

namespace {
Bytes SmallBmp(int width, int height, std::uint8_t shade) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    layout.pixels.assign(static_cast<std::size_t>(rowBytes) * height, shade);
    return BuildBmp(layout);
}

Bytes IconFile(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(qRgb(10, 200, 30));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return Bytes(data.begin(), data.end());
}

// An icon file holding one image of each given size and colour, in that
// order: the single-image files Qt writes, joined under one directory.
Bytes MultiIconFile(const std::vector<std::pair<int, QRgb>>& images) {
    std::vector<Bytes> singles;
    for (const auto& [size, colour] : images) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(colour);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(QImageWriter(&buffer, "ico").write(image));
        singles.emplace_back(data.begin(), data.end());
    }
    const auto u32 = [](const Bytes& b, std::size_t at) {
        return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 |
               std::uint32_t{b[at + 2]} << 16 | std::uint32_t{b[at + 3]} << 24;
    };
    Bytes file = {0, 0, 1, 0, static_cast<std::uint8_t>(singles.size()), 0};
    Bytes data;
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * singles.size());
    for (const Bytes& single : singles) {
        // The single file's entry, with the image's offset in the joined file.
        Bytes entry(single.begin() + 6, single.begin() + 22);
        const std::uint32_t size = u32(single, 6 + 8);
        const std::uint32_t from = u32(single, 6 + 12);
        for (int i = 0; i < 4; ++i) {
            entry[12 + i] = static_cast<std::uint8_t>((offset + data.size()) >> (8 * i));
        }
        file.insert(file.end(), entry.begin(), entry.end());
        data.insert(data.end(), single.begin() + from, single.begin() + from + size);
    }
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

class PictureLoad : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetMessagePresenter(
            [this](const std::string& text, MessageIcon) { shown.push_back(text); });
    }
    void TearDown() override { SetMessagePresenter(previous); }

    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = folder.File(name);
        WriteFileBytes(path, bytes);
        return path;
    }

    ScratchFolder folder;
    CPictureItem item;
    std::vector<std::string> shown;
    MessagePresenter previous;
};

TEST_F(PictureLoad, DecodesBmpAndJpegIntoTheBitmap) {
    ASSERT_EQ(item.LoadPictureFile(Put("a.bmp", SmallBmp(5, 3, 0x80))), 1);
    EXPECT_EQ(item.GetSize(), QSize(5, 3));
    EXPECT_EQ(item.m_bitmap.image.size(), QSize(5, 3));
    EXPECT_EQ(item.m_bitmap.image.pixel(4, 2), qRgb(0x80, 0x80, 0x80));
    EXPECT_TRUE(item.m_icon.isNull());

    // A second picture replaces the first, size and all.
    const std::string jpeg = folder.File("b.tmp");
    const Bytes rgb(17 * 9 * 3, 0x40);
    ImgStream* out = img_open_write(jpeg.c_str());
    ASSERT_GT(img_write_jpeg(out, rgb.data(), 17, 9, 90, 0, 24, nullptr), 0);
    img_close_write(out);
    ASSERT_EQ(item.LoadPictureFile(jpeg), 1);
    EXPECT_EQ(item.GetSize(), QSize(17, 9));
    EXPECT_TRUE(shown.empty());
}

TEST_F(PictureLoad, FailuresShowTheirMessagesAndKeepTheItem) {
    ASSERT_EQ(item.LoadPictureFile(Put("keep.bmp", SmallBmp(2, 2, 1))), 1);

    const std::string missing = folder.File("missing.bmp");
    Bytes badBmp = SmallBmp(2, 2, 1);
    badBmp[18] = 0; // width 0
    badBmp[19] = badBmp[20] = badBmp[21] = 0;
    Bytes badJpeg = {0xFF, 0xD8, 0xFF, 0xE0};
    badJpeg.resize(60, 0x11);
    const std::string badBmpPath = Put("bad.bmp", badBmp);
    const std::string badJpegPath = Put("bad.jpg", badJpeg);
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, "Error during opening picture file!\n\rError code:2"},
        {badBmpPath, "Error reckognizing picture (" + badBmpPath + ") format!\n\rError code:6"},
        {badJpegPath, "Error reckognizing picture (" + badJpegPath + ") format!\n\rError code:9"},
    };
    for (const auto& c : cases) {
        shown.clear();
        EXPECT_EQ(item.LoadPictureFile(c.path), 0) << c.path;
        ASSERT_EQ(shown.size(), 1u) << c.path;
        EXPECT_EQ(shown[0], c.message);
        EXPECT_EQ(item.GetSize(), QSize(2, 2)) << c.path;
    }
}

TEST_F(PictureLoad, OtherFormatsFailSilentlyUnlessTheyAreIcons) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    png.resize(100, 0);
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    gif.resize(100, 0);
    Bytes shortBmp = SmallBmp(1, 1, 0);
    shortBmp.resize(30); // under the 44 bytes detection needs
    const Bytes tiny = {'B', 'M', 1};
    for (const auto& [name, bytes] : {std::pair{"p.png", png}, std::pair{"g.gif", gif},
                                      std::pair{"s.bmp", shortBmp}, std::pair{"t.bmp", tiny}}) {
        EXPECT_EQ(item.LoadPictureFile(Put(name, bytes)), 0) << name;
        EXPECT_TRUE(shown.empty()) << name;
        EXPECT_EQ(item.GetSize(), QSize(0, 0));
    }
}

TEST_F(PictureLoad, IconsAndCursorsCarryTheSystemIconSize) {
    const Bytes ico = IconFile(48);
    Bytes cur = ico;
    cur[2] = 2; // the same image marked as a cursor
    for (const auto& [name, bytes] : {std::pair{"i.ico", ico}, std::pair{"c.cur", cur}}) {
        CPictureItem icon;
        ASSERT_EQ(icon.LoadPictureFile(Put(name, bytes)), 1) << name;
        EXPECT_EQ(icon.GetSize(), QSize(32, 32)) << name;
        ASSERT_FALSE(icon.m_icon.isNull()) << name;
        // Drawn at the system's icon size, like every icon.
        EXPECT_EQ(icon.m_icon.size(), QSize(32, 32));
        // Loading a real picture afterwards drops the icon.
        ASSERT_EQ(icon.LoadPictureFile(Put("after.bmp", SmallBmp(3, 3, 9))), 1);
        EXPECT_TRUE(icon.m_icon.isNull());
        EXPECT_EQ(icon.GetSize(), QSize(3, 3));
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(PictureLoad, IconFilesGiveTheImageClosestToTheSystemIconSize) {
    const QRgb red = qRgb(220, 0, 0);
    const QRgb green = qRgb(0, 200, 0);
    const QRgb blue = qRgb(0, 0, 210);
    struct Case {
        const char* name;
        std::vector<std::pair<int, QRgb>> images;
        QRgb expected;
    };
    const Case cases[] = {
        {"the exact size among others", {{16, red}, {32, green}, {48, blue}}, green},
        {"the exact size last", {{64, red}, {16, blue}, {32, green}}, green},
        {"none exact: the nearer one, scaled up", {{64, red}, {24, green}}, green},
        {"none exact: the nearer one, scaled down", {{16, red}, {40, blue}}, blue},
    };
    for (const Case& c : cases) {
        CPictureItem icon;
        ASSERT_EQ(icon.LoadPictureFile(Put("multi.ico", MultiIconFile(c.images))), 1) << c.name;
        ASSERT_EQ(icon.m_icon.size(), QSize(32, 32)) << c.name;
        EXPECT_EQ(icon.m_icon.pixel(0, 0), c.expected) << c.name;
        EXPECT_EQ(icon.m_icon.pixel(31, 31), c.expected) << c.name;
    }
}

TEST_F(PictureLoad, PartlyDecodedPicturesAreKept) {
    // Rows end early: the decoded rows are shown, the rest is black, and no
    // message appears since a picture came back.
    BmpLayout layout;
    layout.width = 1;
    layout.height = 3;
    layout.pixels = {0x10, 0x20, 0x30, 0};
    ASSERT_EQ(item.LoadPictureFile(Put("part.bmp", BuildBmp(layout))), 1);
    EXPECT_EQ(item.GetSize(), QSize(1, 3));
    EXPECT_EQ(item.m_bitmap.image.pixel(0, 2), qRgb(0x30, 0x20, 0x10));
    EXPECT_EQ(item.m_bitmap.image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_TRUE(shown.empty());
}

TEST_F(PictureLoad, PrepareDecodesEmbeddedBytes) {
    item.m_imageBytes = SmallBmp(4, 6, 0x33);
    ASSERT_TRUE(item.Prepare());
    EXPECT_EQ(item.GetSize(), QSize(4, 6));
    EXPECT_TRUE(shown.empty());

    CPictureItem broken;
    Bytes bitmapHeadOnly = {'B', 'M'};
    bitmapHeadOnly.resize(60, 0);
    broken.m_imageBytes = bitmapHeadOnly;
    broken.m_fileName = "sunset.bmp";
    EXPECT_FALSE(broken.Prepare());
    // Decoded from memory: the message names the picture as it was embedded.
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Error reckognizing picture (sunset.bmp) format!\n\rError code:6"}));
}
} // namespace
