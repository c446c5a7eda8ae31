#include "ImgTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <latch>
#include <thread>

namespace {
TEST(ImgStream, OpenFailuresAndSuccessLeaveTheRightCodes) {
    ScratchFolder folder;
    EXPECT_EQ(img_open_read(nullptr), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);
    EXPECT_EQ(img_open_read(""), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);
    EXPECT_EQ(img_open_read(folder.File("missing.bmp").c_str()), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);
    EXPECT_EQ(img_open_write(folder.File("no/such/dir.bmp").c_str()), nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);

    // Opening, seeking and closing record only failures.
    WriteFileBytes(folder.File("a.bin"), Bytes(100, 7));
    ImgStream* stream = img_open_read(folder.File("a.bin").c_str());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);
    EXPECT_NE(img_seek(stream, 60, SEEK_SET), 0);
    EXPECT_EQ(img_close_read(stream), 60);
    EXPECT_EQ(img_last_error(), IMG_ERR_OPEN);

    EXPECT_EQ(img_seek(nullptr, 0, SEEK_SET), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_close_read(nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
    EXPECT_EQ(img_close_write(nullptr), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_ARG);
}

TEST(ImgStream, ForeignAndClosedHandlesAreRefusedUnread) {
    ImgStream forged;
    forged.headGuard = ImgStream::kHeadGuard;
    forged.tailGuard = ImgStream::kTailGuard;
    forged.kind = ImgStream::kFile;
    EXPECT_EQ(img_seek(&forged, 0, SEEK_SET), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);
    EXPECT_EQ(img_detect_format(&forged), IMG_FMT_UNKNOWN);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);
    EXPECT_EQ(img_close_read(&forged), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);

    const Bytes data(10, 1);
    ImgStream* stream = img_open_memory(data.data(), data.size());
    ASSERT_NE(stream, nullptr);
    // A live handle whose guard was overwritten is no handle either.
    stream->tailGuard = 0;
    EXPECT_EQ(img_seek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(img_last_error(), IMG_ERR_HANDLE);
    stream->tailGuard = ImgStream::kTailGuard;
    img_close_read(stream);
}

TEST(ImgStream, LongNamesAreShortenedTo259Characters) {
    ScratchFolder folder;
    // A real file whose full path is well past 260 characters.
    std::string dir = folder.File(std::string(200, 'd'));
    std::filesystem::create_directory(dir);
    const std::string path = dir + "/" + std::string(100, 'f') + ".tga";
    WriteFileBytes(path, Bytes(44, 0));
    ImgStream* stream = img_open_read(path.c_str());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(std::string(stream->fileName), path.substr(0, 259));
    // The extension was cut off, so the name no longer says Targa.
    EXPECT_EQ(img_detect_format(stream), IMG_FMT_WBMP);
    img_close_read(stream);
}

TEST(ImgStream, CloseWriteReportsTheFileLength) {
    ScratchFolder folder;
    ImgStream* stream = img_open_write(folder.File("out.bin").c_str());
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(img_close_write(stream), 0);
    stream = img_open_write(folder.File("out.bin").c_str());
    const Bytes pixels(3 * 5 * 2, 9);
    const std::int64_t written = img_write_bmp(stream, pixels.data(), 5, 2, 24, 0, nullptr, 0);
    EXPECT_EQ(written, 54 + 16 * 2);
    EXPECT_EQ(img_close_write(stream), written);
}

TEST(ImgThreadState, LastErrorsNeverCrossThreads) {
    std::latch bothFailed(2);
    std::latch bothChecked(2);
    int seenByOpener = -1;
    int seenByDetector = -1;
    int freshThread = -1;
    std::thread opener([&] {
        img_open_read("/nonexistent/picture.bmp");
        bothFailed.arrive_and_wait();
        seenByOpener = img_last_error();
        bothChecked.arrive_and_wait();
    });
    std::thread detector([&] {
        img_detect_format(nullptr);
        bothFailed.arrive_and_wait();
        seenByDetector = img_last_error();
        bothChecked.arrive_and_wait();
    });
    opener.join();
    detector.join();
    std::thread([&] { freshThread = img_last_error(); }).join();
    EXPECT_EQ(seenByOpener, IMG_ERR_OPEN);
    EXPECT_EQ(seenByDetector, IMG_ERR_ARG);
    EXPECT_EQ(freshThread, IMG_ERR_NONE);
}
} // namespace

TEST(ImgStream, RaisedMemoryReadsTheBytesPutRight) {
    // Kept lowered by 9, as a scene keeps its files; 0xFF + 9 wraps.
    const Bytes plain = {0x00, 0x10, 0xF6, 0xFF, 0x42};
    Bytes lowered;
    for (const std::uint8_t b : plain) {
        lowered.push_back(static_cast<std::uint8_t>(b - 9));
    }
    ImgStream* stream = img_open_raised_memory(lowered.data(), lowered.size(), 9);
    ASSERT_NE(stream, nullptr);
    Bytes read(2);
    ASSERT_EQ(ImgStreamRead(stream, read.data(), 2), 2u);
    ASSERT_EQ(img_seek(stream, 1, SEEK_CUR), 1);
    read.resize(5);
    EXPECT_EQ(ImgStreamRead(stream, read.data() + 2, 8), 2u); // only two remain
    EXPECT_EQ(read, (Bytes{0x00, 0x10, 0xFF, 0x42, 0}));
    img_close_read(stream);
    EXPECT_EQ(lowered[3], static_cast<std::uint8_t>(0xFF - 9)); // read, never changed
}
