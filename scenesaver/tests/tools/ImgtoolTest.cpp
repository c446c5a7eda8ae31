// imgtool as its users run it: what info reports, what convert writes, and
// how both fail. Outputs are read back through the picture library, so a
// fault in the tool's decode or write path shows as a pixel difference.

#include "imglib/ImgLib.h"

#include "ToolRun.h"
#include <QByteArray>
#include <QDir>
#include <QFile>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

ToolRun Imgtool(const QStringList& arguments) {
    return RunTool("imgtool", arguments);
}

QString Fixture(const char* name) {
    return QStringLiteral(SCENESAVER_SOURCE_DIR "/tests/fixtures/pictures/") +
           QString::fromLatin1(name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

// The picture as the library decodes it at 24 bits, independently of the tool.
struct Decoded {
    int format = IMG_FMT_UNKNOWN;
    int width = 0;
    int height = 0;
    Bytes rgb;
};

Decoded DecodeWithLibrary(const QString& path) {
    Decoded decoded;
    ImgStream* stream = img_open_read(path.toLocal8Bit().constData());
    EXPECT_NE(stream, nullptr) << path.toStdString();
    if (stream == nullptr) {
        return decoded;
    }
    decoded.format = img_detect_format(stream);
    img_seek(stream, 0, SEEK_SET);
    ImgBuffer pixels;
    if (decoded.format == IMG_FMT_BMP) {
        pixels = img_read_bmp(stream, &decoded.width, &decoded.height, 24, nullptr);
    } else if (decoded.format == IMG_FMT_JPEG) {
        pixels = img_read_jpeg(stream, &decoded.width, &decoded.height, 24);
    }
    img_close_read(stream);
    EXPECT_TRUE(pixels) << path.toStdString();
    if (pixels) {
        decoded.rgb.assign(pixels.get(),
                           pixels.get() + static_cast<std::size_t>(decoded.width) *
                                              static_cast<std::size_t>(decoded.height) * 3);
    }
    return decoded;
}

// A picture of its own size, so that a width/height mix-up cannot hide
// behind the fixtures' 23 x 17.
QString WriteSmallBmp(const QString& path, int width, int height) {
    Bytes rgb(static_cast<std::size_t>(width * height * 3));
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    ImgStream* stream = img_open_write(path.toLocal8Bit().constData());
    EXPECT_NE(stream, nullptr);
    EXPECT_GT(img_write_bmp(stream, rgb.data(), width, height, 24, 0, nullptr, 0), 0);
    img_close_write(stream);
    return path;
}

TEST(Imgtool, InfoReportsFormatAndSizeOrTheErrorName) {
    QTemporaryDir dir;
    struct Case {
        QString file;
        const char* out;
        int exitCode;
    };
    const Case cases[] = {
        {Fixture("bmp24.bmp"), "1 23 17\n", 0},
        {Fixture("rle8.bmp"), "1 23 17\n", 0},
        {Fixture("bmp1.bmp"), "1 23 17\n", 0},
        {WriteSmallBmp(dir.filePath("small.bmp"), 5, 2), "1 5 2\n", 0},
        {Fixture("baseline.jpg"), "3 23 17\n", 0},
        {Fixture("progressive.jpg"), "3 23 17\n", 0},
        {Fixture("cmyk.jpg"), "3 23 17\n", 0},
        // pixel data that ends early still gives a picture, as the player shows it
        {WriteFile(dir.filePath("cut.bmp"), ReadAll(Fixture("bmp24.bmp")).left(700)), "1 23 17\n",
         0},
        // detection finds nothing: format 0 and no size, which is no error
        {WriteFile(dir.filePath("text.bmp"), "just some words, long enough to be detected\n"),
         "0 0 0\n", 0},
        {WriteFile(dir.filePath("cut.jpg"), ReadAll(Fixture("baseline.jpg")).left(200)),
         "IMG_ERR_JPEGHDR\n", 1},
        {dir.filePath("missing.bmp"), "IMG_ERR_OPEN\n", 1},
    };
    for (const Case& c : cases) {
        const ToolRun run = Imgtool({"info", c.file});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.file.toStdString();
        EXPECT_EQ(run.out, c.out) << c.file.toStdString();
    }
}

TEST(Imgtool, ConvertToBmpKeepsEveryDecodedPixel) {
    QTemporaryDir dir;
    const QString cutBmp =
        WriteFile(dir.filePath("cut.bmp"), ReadAll(Fixture("bmp24.bmp")).left(700));
    const QString inputs[] = {
        Fixture("bmp24.bmp"),
        Fixture("bmp8.bmp"),
        Fixture("bmp4.bmp"),
        Fixture("bmp1.bmp"),
        Fixture("rle8.bmp"),
        Fixture("bmp16-565.bmp"),
        Fixture("bmp32.bmp"),
        Fixture("baseline.jpg"),
        Fixture("progressive.jpg"),
        Fixture("restart444.jpg"),
        Fixture("grey.jpg"),
        Fixture("cmyk.jpg"),
        cutBmp,
    };
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        const QString out = dir.filePath("out.bmp");
        QFile::remove(out);
        const ToolRun run = Imgtool({"convert", input, out});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;

        EXPECT_EQ(Imgtool({"info", out}).out, "1 23 17\n");
        const QByteArray written = ReadAll(out);
        ASSERT_GT(written.size(), 30);
        EXPECT_EQ(static_cast<std::uint8_t>(written[28]), 24) << "bits per pixel";

        const Decoded expected = DecodeWithLibrary(input);
        const Decoded actual = DecodeWithLibrary(out);
        EXPECT_EQ(actual.format, IMG_FMT_BMP);
        EXPECT_EQ(actual.width, expected.width);
        EXPECT_EQ(actual.height, expected.height);
        EXPECT_TRUE(actual.rgb == expected.rgb) << "pixels differ";
    }
}

TEST(Imgtool, ConvertToJpegWritesAProgressiveLikeness) {
    QTemporaryDir dir;
    struct Case {
        QString input;
        const char* outName;
    };
    const Case cases[] = {
        {Fixture("bmp24.bmp"), "out.jpg"},
        {Fixture("rle8.bmp"), "out.JPG"},
        {Fixture("bmp16-565.bmp"), "out.jpeg"},
        {Fixture("baseline.jpg"), "again.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString() + " -> " + c.outName);
        const QString out = dir.filePath(QString::fromLatin1(c.outName));
        const ToolRun run = Imgtool({"convert", c.input, out});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

        EXPECT_EQ(Imgtool({"info", out}).out, "3 23 17\n");
        const QByteArray written = ReadAll(out);
        EXPECT_TRUE(written.contains(QByteArray("\xFF\xC2", 2))) << "no progressive frame";

        // Quality 100 with the colour sampled at half resolution: on these
        // noisy 23 x 17 pictures a channel is off by about 9 on average, a
        // red/blue swap by about 32 and a flipped picture by about 72.
        const Decoded source = DecodeWithLibrary(c.input);
        const Decoded result = DecodeWithLibrary(out);
        ASSERT_EQ(result.rgb.size(), source.rgb.size());
        ASSERT_FALSE(source.rgb.empty());
        int largest = 0;
        long total = 0;
        for (std::size_t i = 0; i < source.rgb.size(); ++i) {
            const int difference = std::abs(int{result.rgb[i]} - int{source.rgb[i]});
            largest = std::max(largest, difference);
            total += difference;
        }
        EXPECT_LE(largest, 96);
        EXPECT_LE(static_cast<double>(total) / static_cast<double>(source.rgb.size()), 12.0);
    }
}

TEST(Imgtool, ConvertFailuresExitOneWithTheErrorName) {
    QTemporaryDir dir;
    const QString bmp = Fixture("bmp24.bmp");
    QFile::link(QStringLiteral("/dev/full"), dir.filePath("full.bmp"));
    QFile::link(QStringLiteral("/dev/full"), dir.filePath("full.jpg"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.bmp")));
    struct Case {
        QString input;
        QString out;
        const char* name;
        bool outputMayExist;
    };
    const Case cases[] = {
        {dir.filePath("missing.jpg"), dir.filePath("a.bmp"), "IMG_ERR_OPEN\n", false},
        {WriteFile(dir.filePath("cut.jpg"), ReadAll(Fixture("baseline.jpg")).left(200)),
         dir.filePath("b.bmp"), "IMG_ERR_JPEGHDR\n", false},
        {bmp, dir.filePath("no/such/folder/c.jpg"), "IMG_ERR_OPEN\n", false},
        {bmp, dir.filePath("folder.bmp"), "IMG_ERR_OPEN\n", true},
        // the file opens but nothing can be written to it
        {bmp, dir.filePath("full.bmp"), "IMG_ERR_WRITE\n", true},
        {bmp, dir.filePath("full.jpg"), "IMG_ERR_WRITE\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString() + " -> " + c.out.toStdString());
        const ToolRun run = Imgtool({"convert", c.input, c.out});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, c.name);
        if (!c.outputMayExist) {
            EXPECT_FALSE(QFile::exists(c.out));
        }
    }

    // a file that is no picture has no error code, but still fails
    const QString text = WriteFile(dir.filePath("text.txt"), "no picture in here at all, none\n");
    const ToolRun run = Imgtool({"convert", text, dir.filePath("d.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("not decoded"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(dir.filePath("d.bmp")));
}

} // namespace
