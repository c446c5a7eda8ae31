// Videos decoded by FFmpeg, headless: frame count, size and colour, the
// repeat, files that are no video, and the media window's commands.

#include "MediaTestSupport.h"
#include "platform/VideoWindow.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>

using namespace std::chrono_literals;

namespace {
std::filesystem::path ColourVideo() {
    return std::filesystem::path(SCENESAVER_MEDIA_FIXTURES) / "colour-64x48.avi";
}

// The fixture's colour 0x3060C0 after the codec's round trip.
bool NearFixtureColour(QRgb pixel) {
    return std::abs(qRed(pixel) - 0x30) <= 6 && std::abs(qGreen(pixel) - 0x60) <= 6 &&
           std::abs(qBlue(pixel) - 0xC0) <= 6;
}
} // namespace

TEST(VideoStream, DecodesEveryFrameAtItsSizeAndColour) {
    CVideoStream stream;
    ASSERT_TRUE(stream.Open(ColourVideo().string()));
    EXPECT_EQ(stream.NativeSize(), QSize(64, 48));
    std::mutex framesMutex;
    std::vector<QImage> frames;
    ASSERT_TRUE(stream.Start(
        false, true,
        [&](const QImage& frame) {
            std::lock_guard lock(framesMutex);
            frames.push_back(frame);
        },
        false));
    ASSERT_TRUE(stream.EndedEvent()->waitFor(20s));
    stream.Stop();
    std::lock_guard lock(framesMutex);
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(stream.FramesShown(), 10u);
    for (const QImage& frame : frames) {
        ASSERT_EQ(frame.size(), QSize(64, 48));
        EXPECT_TRUE(NearFixtureColour(frame.pixel(0, 0)));
        EXPECT_TRUE(NearFixtureColour(frame.pixel(63, 47)));
    }
}

TEST(VideoStream, PlaysAtItsTimeStampsAndRepeatsOnlyWhenAsked) {
    CVideoStream stream;
    ASSERT_TRUE(stream.Open(ColourVideo().string()));
    std::atomic<int> frames = 0;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(stream.Start(false, true, [&](const QImage&) { ++frames; }));
    ASSERT_TRUE(stream.EndedEvent()->waitFor(20s));
    // Ten frames at ten a second: the last one is due 0.9 s after the first.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 850ms);
    EXPECT_EQ(frames.load() + static_cast<int>(stream.FramesDropped()), 10);

    frames = 0;
    ASSERT_TRUE(stream.Start(
        true, true, [&](const QImage&) { ++frames; }, false));
    EXPECT_TRUE(Eventually([&] { return frames > 25; })) << "three passes and more";
    EXPECT_FALSE(stream.EndedEvent()->isSet());
    stream.Stop();
    EXPECT_TRUE(stream.EndedEvent()->isSet());
}

TEST(VideoStream, FilesThatAreNoVideoDoNotOpen) {
    const auto folder = std::filesystem::temp_directory_path();
    const auto junk = folder / ("not-a-video-" + std::to_string(getpid()) + ".avi");
    {
        std::ofstream out(junk, std::ios::binary);
        out << std::string(4096, 'x');
    }
    const auto sound = folder / ("sound-only-" + std::to_string(getpid()) + ".mp3");
    std::filesystem::copy_file(std::filesystem::path(SCENESAVER_MEDIA_FIXTURES) /
                                   "tone-22050-mono.mp3",
                               sound, std::filesystem::copy_options::overwrite_existing);
    CVideoStream stream;
    EXPECT_FALSE(stream.Open(junk.string()));
    EXPECT_FALSE(stream.Open(sound.string())) << "a sound without pictures";
    EXPECT_FALSE(stream.Open((folder / "no-such-file.avi").string()));
    EXPECT_FALSE(stream.Start(false, true, [](const QImage&) {}));
    std::filesystem::remove(junk);
    std::filesystem::remove(sound);
}

TEST(VideoWindow, CommandsPlaceShowAndHideTheVideo) {
    QWidget saver;
    saver.resize(320, 240);
    CVideoWnd window(&saver);
    EXPECT_FALSE(window.isVisibleTo(&saver)) << "made hidden";
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);

    VideoCommandArgs args;
    args.path = ColourVideo().string();
    args.position = QPoint(40, 30);
    args.repeat = false;
    ASSERT_TRUE(window.OnCommand(videoOpen, args));
    ASSERT_TRUE(window.OnCommand(videoPosition, args));
    ASSERT_TRUE(window.OnCommand(videoPlay, args));
    EXPECT_EQ(window.geometry(), QRect(40, 30, 64, 48));
    EXPECT_TRUE(window.isVisibleTo(&saver));
    EXPECT_TRUE(PumpUntil([&] { return window.Stream().EndedEvent()->isSet(); }));
    EXPECT_TRUE(window.OnCommand(videoStop, args));
    EXPECT_TRUE(window.OnCommand(videoClose, args));
    EXPECT_FALSE(window.isVisibleTo(&saver));

    VideoCommandArgs broken;
    broken.path = "/nonexistent/video.avi";
    EXPECT_FALSE(window.OnCommand(videoOpen, broken));
    EXPECT_FALSE(window.OnCommand(videoPlay, broken));
    EXPECT_FALSE(window.isVisibleTo(&saver)) << "a video that cannot open shows nothing";
}

TEST(VideoStream, PlaysItsSoundUnlessMuted) {
    DiskAudio disk;
    CVideoStream stream;
    ASSERT_TRUE(stream.Open(
        (std::filesystem::path(SCENESAVER_MEDIA_FIXTURES) / "colour-tone-64x48.avi").string()));
    // Muted: no sound device is opened at all.
    ASSERT_TRUE(stream.Start(false, true, [](const QImage&) {}));
    ASSERT_TRUE(stream.EndedEvent()->waitFor(20s));
    stream.Stop();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(disk.PlayedSize(), 0u);

    ASSERT_TRUE(stream.Start(false, false, [](const QImage&) {}));
    ASSERT_TRUE(stream.EndedEvent()->waitFor(20s));
    stream.Stop();
    // The tone: 16-bit samples well away from silence.
    EXPECT_TRUE(Eventually(
        [&] {
            const auto played = disk.Played();
            int loud = 0;
            for (std::size_t i = 0; i + 1 < played.size(); i += 2) {
                const auto sample = static_cast<std::int16_t>(played[i] | (played[i + 1] << 8));
                loud += std::abs(sample) > 2000 ? 1 : 0; // the tone peaks at 4096
            }
            return loud > 1000;
        },
        5s));
}
