#include "JpegTestSupport.h"

#include <gtest/gtest.h>

namespace {
Bytes RandomRgb(int width, int height, unsigned seed) {
    Bytes b(static_cast<std::size_t>(width) * height * 3);
    for (auto& v : b) {
        seed = seed * 1103515245 + 12345;
        v = static_cast<std::uint8_t>(seed >> 16);
    }
    return b;
}

TEST(BmpWrite, RoundTripsThroughTheReader) {
    ScratchFolder folder;
    for (int width : {1, 2, 3, 4, 7}) {
        const Bytes pixels = RandomRgb(width, 5, static_cast<unsigned>(width));
        const std::string path = folder.File("rt.bmp");
        ImgStream* out = img_open_write(path.c_str());
        const std::int64_t length = img_write_bmp(out, pixels.data(), width, 5, 24, 0, nullptr, 0);
        EXPECT_EQ(img_last_error(), IMG_ERR_NONE);
        const std::int64_t rowBytes = (width * 3 + 3) / 4 * 4;
        EXPECT_EQ(length, 54 + rowBytes * 5) << width;
        EXPECT_EQ(img_close_write(out), length);
        const Decoded d = DecodeBmpBytes(ReadFileBytes(path));
        ASSERT_EQ(d.code, IMG_ERR_NONE);
        EXPECT_EQ(d.pixels, pixels) << width;
    }
}

TEST(BmpWrite, LayoutOfANarrowPicture) {
    ScratchFolder folder;
    const std::string path = folder.File("one.bmp");
    const Bytes pixels = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66}; // 1 x 2, top row first
    ImgStream* out = img_open_write(path.c_str());
    img_write_bmp(out, pixels.data(), 1, 2, 24, 0, nullptr, 0);
    img_close_write(out);
    const Bytes file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 62u);
    EXPECT_EQ(Bytes(file.begin() + 54, file.end()),
              (Bytes{0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(file[10], 54); // pixel offset
    EXPECT_EQ(file[22], 2);  // height, positive: bottom-up
    EXPECT_EQ(file[28], 24); // bits
    EXPECT_EQ(file[34], 8);  // image size
}

TEST(BmpWrite, IndexedWithPalette) {
    ScratchFolder folder;
    const std::string path = folder.File("idx.bmp");
    const std::uint8_t palette[8] = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
    const Bytes indices = {1, 0, 0, 1};
    ImgStream* out = img_open_write(path.c_str());
    EXPECT_EQ(img_write_bmp(out, indices.data(), 2, 2, 8, 2, palette, 0), 54 + 8 + 8);
    img_close_write(out);
    const Bytes file = ReadFileBytes(path);
    // The reserved byte repeats the third, as the files always had.
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62),
              (Bytes{0x10, 0x20, 0x30, 0x30, 0x40, 0x50, 0x60, 0x60}));
    std::uint8_t readPalette[1024];
    const Decoded d = DecodeBmpBytes(file, 8, readPalette);
    ASSERT_EQ(d.code, IMG_ERR_NONE);
    EXPECT_EQ(d.pixels, indices);
}

TEST(BmpWrite, RefusesBadArgumentsAndReportsWriteFailures) {
    const Bytes pixels(12, 0);
    ScratchFolder folder;
    ImgStream* out = img_open_write(folder.File("x.bmp").c_str());
    EXPECT_EQ(img_write_bmp(out, pixels.data(), 2, 2, 8, 2, nullptr, 0), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_write_bmp(out, pixels.data(), 2, 2, 32, 0, nullptr, 0), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_write_bmp(out, nullptr, 2, 2, 24, 0, nullptr, 0), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_write_bmp(out, pixels.data(), 0, 2, 24, 0, nullptr, 0), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    img_close_write(out);

    // A stream opened for reading takes no writes.
    const Bytes data(4, 0);
    ImgStream* reading = img_open_memory(data.data(), data.size());
    EXPECT_EQ(img_write_bmp(reading, pixels.data(), 2, 2, 24, 0, nullptr, 0), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_WRITE);
    EXPECT_EQ(img_write_jpeg(reading, pixels.data(), 2, 2, 90, 0, 24, nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_WRITE);
    img_close_read(reading);

    // A full disk.
    ImgStream* full = img_open_write("/dev/full");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(img_write_bmp(full, pixels.data(), 2, 2, 24, 0, nullptr, 0), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_WRITE);
    EXPECT_EQ(img_write_jpeg(full, pixels.data(), 2, 2, 100, 1, 24, nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_WRITE);
    img_close_write(full);
}

TEST(JpegWrite, ProgressiveRoundTripAndDensity) {
    ScratchFolder folder;
    const std::string path = folder.File("p.jpg");
    Bytes pixels;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 48; ++x) {
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(x * 5),
                                         static_cast<std::uint8_t>(y * 7), 128});
        }
    }
    ImgStream* out = img_open_write(path.c_str());
    const std::int64_t length = img_write_jpeg(out, pixels.data(), 48, 32, 100, 1, 24, nullptr);
    EXPECT_GT(length, 0);
    EXPECT_EQ(img_close_write(out), length);
    const Bytes file = ReadFileBytes(path);
    // JFIF density: unit 0, 1 by 1.
    ASSERT_GT(file.size(), 20u);
    EXPECT_EQ(Bytes(file.begin() + 13, file.begin() + 18), (Bytes{0, 0, 1, 0, 1}));
    // Progressive frame header (SOF2) present.
    bool progressive = false;
    for (std::size_t i = 0; i + 1 < file.size(); ++i) {
        progressive = progressive || (file[i] == 0xFF && file[i + 1] == 0xC2);
    }
    EXPECT_TRUE(progressive);
    const Decoded d = DecodeJpegBytes(file);
    ASSERT_EQ(d.code, IMG_ERR_NONE);
    ASSERT_EQ(d.pixels.size(), pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        ASSERT_NEAR(d.pixels[i], pixels[i], 6) << i;
    }

    const ImgJpegDensity density{300, 150, 1};
    out = img_open_write(path.c_str());
    const Bytes grey(16 * 16, 128);
    EXPECT_GT(img_write_jpeg(out, grey.data(), 16, 16, 75, 0, 8, &density), 0);
    img_close_write(out);
    const Bytes greyFile = ReadFileBytes(path);
    EXPECT_EQ(Bytes(greyFile.begin() + 13, greyFile.begin() + 18), (Bytes{1, 1, 44, 0, 150}));
    const Decoded g = DecodeJpegBytes(greyFile, 8);
    ASSERT_EQ(g.code, IMG_ERR_NONE);
    EXPECT_EQ(g.pixels, grey);
}

TEST(JpegWrite, Arguments) {
    ScratchFolder folder;
    const Bytes pixels(12, 0);
    ImgStream* out = img_open_write(folder.File("a.jpg").c_str());
    img_detect_format(nullptr); // leaves IMG_ERR_ARG
    img_open_read(nullptr);     // leaves IMG_ERR_OPEN
    // An unsupported depth fails without a code of its own.
    EXPECT_EQ(img_write_jpeg(out, pixels.data(), 2, 2, 90, 0, 16, nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);
    EXPECT_EQ(img_write_jpeg(out, pixels.data(), 0, 2, 90, 0, 24, nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_write_jpeg(nullptr, pixels.data(), 2, 2, 90, 0, 24, nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    img_close_write(out);
}
} // namespace
