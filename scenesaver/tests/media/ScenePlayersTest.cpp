// The scene thread's media steps with the real players: waited plays and
// their repeat counts, the mute flag, the video's loop flag, videos that
// cannot play, and a stop while music and a video play.

#include "scene/ScenePlayers.h"
#include "../scene/PlaybackSupport.h"
#include "MediaTestSupport.h"
#include "platform/TempFolder.h"
#include "platform/VideoHost.h"
#include "platform/VideoWindow.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
class MutableWindow : public RecordingWindow {
public:
    bool IsMuted() const override { return muted; }
    bool muted = false;
};

// A scene on a muteable window, with the real players and a video host on
// a widget that stands in for the saver window.
struct MediaStage {
    MediaStage() : calibration(1'000'000), thread(&window, &scene, &calibration, false) {
        saver.resize(320, 240);
        host = std::make_shared<CVideoHost>(&saver);
        thread.SetMedia(std::make_unique<CScenePlayers>(thread, host));
    }

    CMediaItem& AddMedia(MediaType type, std::vector<std::uint8_t> bytes) {
        auto& media = static_cast<CMediaItem&>(scene.AddItem(std::make_unique<CMediaItem>()));
        media.m_mediaType = type;
        media.m_mediaBytes = std::move(bytes);
        return media;
    }
    CPlayMediaItem& AddPlay(CMediaItem& media, bool wait, bool loop, std::uint32_t repeat = 1) {
        auto& play =
            static_cast<CPlayMediaItem&>(scene.AddItem(std::make_unique<CPlayMediaItem>()));
        play.m_media = &media;
        play.m_play.m_wait = wait ? TRUE : FALSE;
        play.m_play.m_loop = loop ? TRUE : FALSE;
        play.m_play.m_repeatCount = repeat;
        play.m_play.m_videoPosition = CPoint{40, 30};
        return play;
    }
    void AddPause(std::uint32_t milliseconds) {
        static_cast<CPauseItem&>(scene.AddItem(std::make_unique<CPauseItem>()))
            .m_duration.m_milliseconds = milliseconds;
    }
    void AddLink(const std::string& text) {
        static_cast<CLinkItem&>(scene.AddItem(std::make_unique<CLinkItem>())).m_link = text;
    }

    MutableWindow window;
    CScene scene;
    std::uint32_t calibration;
    CSceneThread thread;
    QWidget saver;
    std::shared_ptr<CVideoHost> host;
};

std::vector<std::uint8_t> Wave8(const std::vector<std::uint8_t>& samples) {
    std::vector<std::uint8_t> out = {'R', 'I', 'F',  'F',  0,   0,   0,    0,    'W', 'A', 'V',
                                     'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   1,   0,
                                     1,   0,   0x11, 0x2B, 0,   0,   0x11, 0x2B, 0,   0,   1,
                                     0,   8,   0,    'd',  'a', 't', 'a',  0,    0,   0,   0};
    const auto put = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    put(4, static_cast<std::uint32_t>(36 + samples.size()));
    put(40, static_cast<std::uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

std::vector<std::uint8_t> Samples(std::size_t count) {
    std::vector<std::uint8_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::uint8_t>((i * 37 + i / 251) & 0xFF);
    }
    return samples;
}

std::vector<std::uint8_t> VideoBytes() {
    return ReadBytes(std::filesystem::path(SCENESAVER_MEDIA_FIXTURES) / "colour-64x48.avi");
}

int VideoFilesLeft() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PrivateTempFolder())) {
        count += entry.path().filename().string().rfind("Ssd", 0) == 0 ? 1 : 0;
    }
    return count;
}
} // namespace

TEST(ScenePlayers, AWaitedSoundPlaysItsRepeatCountAndTheSceneGoesOn) {
    DiskAudio disk;
    MediaStage stage;
    const auto samples = Samples(4000);
    auto& sound = stage.AddMedia(mediaWave, Wave8(samples));
    stage.AddPlay(sound, true, false, 3);
    stage.AddLink("after the sound");
    stage.thread.PlayScene();
    EXPECT_EQ(stage.window.link, "after the sound");
    EXPECT_TRUE(Eventually([&] { return CountOccurrences(disk.Played(), samples) == 3; }, 5s));
}

TEST(ScenePlayers, AMutedSaverPlaysNeitherSoundsNorMusic) {
    DiskAudio disk;
    MediaStage stage;
    stage.window.muted = true;
    const auto samples = Samples(4000);
    const auto mp3 = MediaFixture("tone-22050-mono.mp3");
    stage.AddPlay(stage.AddMedia(mediaWave, Wave8(samples)), true, false);
    stage.AddPlay(stage.AddMedia(mediaMp3, mp3), true, false);
    stage.AddLink("after the silence");
    stage.thread.PlayScene();
    EXPECT_EQ(stage.window.link, "after the silence");
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(CountOccurrences(disk.Played(), samples), 0);
    EXPECT_EQ(CountOccurrences(disk.Played(), ReferenceDecode(mp3, 22050, 1)), 0);
}

TEST(ScenePlayers, AVideoNotWaitedForRepeatsOnlyWhenItsLoopFlagAsks) {
    for (const bool loop : {false, true}) {
        MediaStage stage;
        stage.AddPlay(stage.AddMedia(mediaVideo, VideoBytes()), false, loop);
        stage.AddPause(20000); // the end of the scene would stop the video
        ASSERT_TRUE(stage.thread.Start());
        CVideoWnd* window = stage.host->MediaWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return window->Stream().FramesShown() > 0; }));
        EXPECT_EQ(window->geometry(), QRect(40, 30, 64, 48)) << "at the item's position";
        if (!loop) {
            EXPECT_TRUE(PumpUntil([&] { return window->Stream().EndedEvent()->isSet(); }));
            EXPECT_EQ(window->Stream().FramesShown() + window->Stream().FramesDropped(), 10u);
        } else {
            // Ten frames a second: more than ten shown means it started again.
            EXPECT_TRUE(PumpUntil([&] { return window->Stream().FramesShown() > 14; }));
        }
        stage.thread.Stop();
        EXPECT_FALSE(window->isVisibleTo(&stage.saver)) << loop;
        EXPECT_EQ(VideoFilesLeft(), 0) << "the stop removes the video file";
    }
}

TEST(ScenePlayers, AVideoThatCannotPlayShowsNothingAndTheSceneGoesOn) {
    MediaStage stage;
    stage.AddPlay(stage.AddMedia(mediaVideo, std::vector<std::uint8_t>(3000, 'x')), false, false);
    stage.AddPlay(stage.AddMedia(mediaVideo, std::vector<std::uint8_t>(3000, 'y')), true, true);
    stage.AddLink("after the videos");
    ASSERT_TRUE(stage.thread.Start());
    EXPECT_TRUE(PumpUntil([&] { return stage.thread.FinishedEvent().isSet(); }));
    EXPECT_EQ(stage.window.link, "after the videos");
    EXPECT_FALSE(stage.host->MediaWindow()->isVisibleTo(&stage.saver));
    stage.thread.Stop();
    EXPECT_EQ(VideoFilesLeft(), 0);
}

// A video's play stops the music, so music plays beside a video only when
// it starts after it.
TEST(ScenePlayers, AStopWhileMusicAndAVideoPlayEndsAtOnce) {
    DiskAudio disk(0);
    // The best of up to three stops, as a busy machine may slow one.
    auto fastest = std::chrono::steady_clock::duration::max();
    for (int attempt = 0; attempt < 3 && fastest >= 200ms; ++attempt) {
        MediaStage stage;
        stage.AddPlay(stage.AddMedia(mediaVideo, VideoBytes()), false, true);
        stage.AddPlay(stage.AddMedia(mediaMp3, MediaFixture("long-44100-stereo.mp3")), true, true);
        stage.AddLink("never reached");
        const std::size_t before = disk.PlayedSize();
        ASSERT_TRUE(stage.thread.Start());
        CVideoWnd* window = stage.host->MediaWindow();
        ASSERT_TRUE(PumpUntil(
            [&] { return window->Stream().FramesShown() > 3 && disk.PlayedSize() > before; }));
        const auto start = std::chrono::steady_clock::now();
        stage.thread.Stop();
        fastest = std::min(fastest, std::chrono::steady_clock::now() - start);
        EXPECT_EQ(stage.window.link, "") << "no item runs after the stop";
        EXPECT_FALSE(window->isVisibleTo(&stage.saver));
        EXPECT_EQ(VideoFilesLeft(), 0);
    }
    EXPECT_LT(fastest, 200ms);
}

TEST(ScenePlayers, AStopDuringAWaitedRepeatingVideoEndsAtOnce) {
    MediaStage stage;
    auto& video = stage.AddPlay(stage.AddMedia(mediaVideo, VideoBytes()), true, true);
    video.m_play.m_forever = TRUE;
    stage.AddLink("never reached");
    ASSERT_TRUE(stage.thread.Start());
    // The waited-for video plays in a player window of its own.
    ASSERT_TRUE(PumpUntil([&] {
        auto* player = stage.saver.findChild<CVideoPlayWnd*>();
        return player != nullptr && player->Stream().FramesShown() > 3;
    }));
    EXPECT_EQ(stage.saver.findChild<CVideoPlayWnd*>()->geometry(), QRect(40, 30, 64, 48));
    const auto start = std::chrono::steady_clock::now();
    stage.thread.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_EQ(stage.window.link, "");
    QApplication::processEvents();
    EXPECT_EQ(stage.saver.findChild<CVideoPlayWnd*>(), nullptr);
    EXPECT_EQ(VideoFilesLeft(), 0);
}
