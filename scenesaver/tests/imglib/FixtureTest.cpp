// The committed fixtures (tests/fixtures/pictures, made by make-fixtures.sh
// with ImageMagick and cjpeg) decoded by us and by netpbm's bmptopnm and
// libjpeg-turbo's djpeg must agree.

#include "ImgTestSupport.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {
const std::string kFixtures = std::string(SCENESAVER_SOURCE_DIR) + "/tests/fixtures/pictures/";

struct Pnm {
    int width = 0;
    int height = 0;
    int maxval = 0;
    Bytes rgb;
};

// Parses the PBM, PGM or PPM binary output of the reference tools into R, G,
// B bytes.
Pnm ParsePnm(const Bytes& data) {
    Pnm pnm;
    std::size_t at = 0;
    auto token = [&] {
        while (at < data.size() && std::isspace(data[at])) {
            ++at;
        }
        std::string t;
        while (at < data.size() && !std::isspace(data[at])) {
            t += static_cast<char>(data[at++]);
        }
        return t;
    };
    const std::string magic = token();
    pnm.width = std::stoi(token());
    pnm.height = std::stoi(token());
    pnm.maxval = magic == "P4" ? 1 : std::stoi(token());
    ++at; // the single white-space byte before the samples
    const std::size_t pixels = static_cast<std::size_t>(pnm.width) * pnm.height;
    for (std::size_t i = 0; i < pixels; ++i) {
        if (magic == "P6") {
            pnm.rgb.insert(pnm.rgb.end(), data.begin() + at + i * 3, data.begin() + at + i * 3 + 3);
        } else if (magic == "P5") {
            pnm.rgb.insert(pnm.rgb.end(), 3, data[at + i]);
        } else { // P4: one bit a pixel, 1 is black, rows padded to bytes
            const std::size_t x = i % pnm.width;
            const std::size_t y = i / pnm.width;
            const std::size_t rowBytes = (pnm.width + 7) / 8;
            const bool black = (data[at + y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
            pnm.rgb.insert(pnm.rgb.end(), 3, black ? 0 : 255);
        }
    }
    return pnm;
}

Pnm RunTool(const char* tool, QStringList arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    EXPECT_FALSE(program.isEmpty()) << tool << " is missing: scripts/setup installs it";
    if (program.isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(20000));
    const QByteArray out = process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 0) << tool << " " << arguments.join(' ').toStdString();
    return ParsePnm(Bytes(out.begin(), out.end()));
}

Decoded DecodeFixture(const std::string& name) {
    return ReadFileBytes(kFixtures + name).empty()
               ? Decoded{}
               : (name.ends_with(".jpg") ? DecodeJpegBytes(ReadFileBytes(kFixtures + name))
                                         : DecodeBmpBytes(ReadFileBytes(kFixtures + name)));
}

TEST(Fixtures, BitmapsMatchBmptopnm) {
    const struct {
        const char* file;
        const char* reference; // decoded by bmptopnm
    } cases[] = {
        {"bmp1.bmp", "bmp1.bmp"},
        {"bmp4.bmp", "bmp4.bmp"},
        {"bmp8.bmp", "bmp8.bmp"},
        {"bmp8v5.bmp", "bmp8v5.bmp"},
        {"bmp24.bmp", "bmp24.bmp"},
        {"bmp24v5.bmp", "bmp24v5.bmp"},
        {"bmp32.bmp", "bmp32.bmp"},
        // bmptopnm reads no ImageMagick RLE8; the same picture uncompressed
        // is the reference.
        {"rle8.bmp", "bmp8.bmp"},
    };
    for (const auto& c : cases) {
        const Decoded ours = DecodeFixture(c.file);
        ASSERT_EQ(ours.code, IMG_ERR_NONE) << c.file;
        const Pnm theirs = RunTool("bmptopnm", {QString::fromStdString(kFixtures + c.reference)});
        ASSERT_EQ(ours.width, theirs.width) << c.file;
        ASSERT_EQ(ours.height, theirs.height) << c.file;
        EXPECT_EQ(ours.pixels, theirs.rgb) << c.file;
    }
}

TEST(Fixtures, SixteenBitChannelsAreWidenedWithLowBitsSet) {
    const Decoded ours = DecodeFixture("bmp16-565.bmp");
    ASSERT_EQ(ours.code, IMG_ERR_NONE);
    const Pnm theirs = RunTool("bmptopnm", {QString::fromStdString(kFixtures + "bmp16-565.bmp")});
    ASSERT_EQ(ours.pixels.size(), theirs.rgb.size());
    // bmptopnm scales each channel to 0..255; recover the stored value and
    // widen it our way: shifted up with the bits below set.
    for (std::size_t i = 0; i < ours.pixels.size(); ++i) {
        const int bits = i % 3 == 1 ? 6 : 5;
        const int maximum = (1 << bits) - 1;
        const int stored = static_cast<int>(std::lround(theirs.rgb[i] * maximum / 255.0));
        const int widened = (stored << (8 - bits)) | ((1 << (8 - bits)) - 1);
        ASSERT_EQ(ours.pixels[i], widened) << i;
    }
}

TEST(Fixtures, JpegsMatchDjpeg) {
    for (const char* file : {"baseline.jpg", "progressive.jpg", "restart444.jpg", "grey.jpg"}) {
        const Decoded ours = DecodeFixture(file);
        ASSERT_EQ(ours.code, IMG_ERR_NONE) << file;
        const Pnm theirs = RunTool("djpeg", {"-pnm", QString::fromStdString(kFixtures + file)});
        ASSERT_EQ(ours.width, theirs.width) << file;
        EXPECT_EQ(ours.pixels, theirs.rgb) << file;
    }
    // djpeg rounds C x K / 255 where the picture library truncates.
    const Decoded ours = DecodeFixture("cmyk.jpg");
    ASSERT_EQ(ours.code, IMG_ERR_NONE);
    const Pnm theirs = RunTool("djpeg", {"-pnm", QString::fromStdString(kFixtures + "cmyk.jpg")});
    ASSERT_EQ(ours.pixels.size(), theirs.rgb.size());
    for (std::size_t i = 0; i < ours.pixels.size(); ++i) {
        ASSERT_LE(theirs.rgb[i] - ours.pixels[i], 1) << i;
        ASSERT_GE(theirs.rgb[i] - ours.pixels[i], 0) << i;
    }
}
} // namespace
