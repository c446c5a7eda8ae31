// The MP3 player on SDL's disk driver: the exact PCM it plays, loops, stops,
// two threads at once, and tracks or devices that cannot play.

#include "media/MP3Player.h"
#include "MediaTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>

using namespace std::chrono_literals;

namespace {
// How often the reference occurs in what was played since `from`, once the
// player's last bytes have reached the collector.
int PlayedTimes(DiskAudio& disk, std::size_t from, const std::vector<std::uint8_t>& reference) {
    auto count = [&] {
        auto played = disk.Played();
        played.erase(played.begin(), played.begin() + static_cast<long>(from));
        return CountOccurrences(played, reference);
    };
    Eventually([&] { return count() >= 1; }, 5s);
    return count();
}
} // namespace

TEST(MP3Player, PlaysEightBitPcmAtTheMappedRateForEverySourceRate) {
    DiskAudio disk;
    struct Case {
        const char* file;
        long playedRate;
        int channels;
    };
    const Case cases[] = {
        {"tone-44100-stereo.mp3", 22050, 2}, {"tone-44100-mono.mp3", 22050, 1},
        {"tone-48000-stereo.mp3", 24000, 2}, {"tone-48000-mono.mp3", 24000, 1},
        {"tone-32000-stereo.mp3", 16000, 2}, {"tone-32000-mono.mp3", 16000, 1},
        {"tone-22050-stereo.mp3", 22050, 2}, {"tone-22050-mono.mp3", 22050, 1},
        {"tone-16000-stereo.mp3", 16000, 2}, {"tone-16000-mono.mp3", 16000, 1},
    };
    CMP3Player player;
    for (const Case& c : cases) {
        const auto mp3 = MediaFixture(c.file);
        const auto reference = ReferenceDecode(mp3, c.playedRate, c.channels);
        // One second of sound: as many sample frames as the played rate.
        const long frames = static_cast<long>(reference.size()) / c.channels;
        EXPECT_NEAR(frames, c.playedRate, c.playedRate / 100) << c.file;

        const std::size_t before = disk.PlayedSize();
        ASSERT_TRUE(player.Play(mp3.data(), mp3.size(), true, false)) << c.file;
        player.Stop();
        EXPECT_EQ(PlayedTimes(disk, before, reference), 1) << c.file;
    }
}

TEST(MP3Player, CyclesBothWaveBuffersWithoutAGapAndSkipsATag) {
    DiskAudio disk(5);
    CMP3Player player;
    for (const char* file : {"long-44100-stereo.mp3", "tagged-44100-stereo.mp3"}) {
        const auto mp3 = MediaFixture(file);
        const auto reference = ReferenceDecode(mp3, 22050, 2);
        const std::size_t before = disk.PlayedSize();
        ASSERT_TRUE(player.Play(mp3.data(), mp3.size(), true, false)) << file;
        player.Stop();
        // Any underrun between two buffers would put silence into the middle.
        EXPECT_EQ(PlayedTimes(disk, before, reference), 1) << file;
    }
}

TEST(MP3Player, ALoopPlaysTheTrackAgainUntilStopped) {
    DiskAudio disk;
    const auto mp3 = MediaFixture("tone-22050-mono.mp3");
    const auto reference = ReferenceDecode(mp3, 22050, 1);
    CMP3Player player;
    ASSERT_TRUE(player.Play(mp3.data(), mp3.size(), false, true));
    EXPECT_TRUE(Eventually([&] { return CountOccurrences(disk.Played(), reference) >= 2; }));
    EXPECT_FALSE(player.Track()->finished.isSet());
    player.Stop();
    EXPECT_TRUE(player.Track()->finished.isSet());
}

// The best of three stops: a stop that waits for anything (a buffer, the
// track's end) is slow every time, one slowed by a busy machine seldom is.
TEST(MP3Player, AStopDuringPlaybackEndsWithinATenthOfASecond) {
    DiskAudio disk(0); // the pace of the sound itself
    const auto mp3 = MediaFixture("long-44100-stereo.mp3");
    CMP3Player player;
    auto fastest = std::chrono::steady_clock::duration::max();
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_TRUE(player.Play(mp3.data(), mp3.size(), false, false));
        ASSERT_TRUE(player.Track()->started.waitFor(10s));
        std::this_thread::sleep_for(300ms);
        const auto start = std::chrono::steady_clock::now();
        player.Stop();
        fastest = std::min(fastest, std::chrono::steady_clock::now() - start);
        EXPECT_FALSE(player.IsPlaying());
    }
    EXPECT_LT(fastest, 100ms);
}

TEST(MP3Player, AWaitingLoopReturnsOnlyAfterAStopFromAnotherThread) {
    DiskAudio disk;
    const auto mp3 = MediaFixture("tone-16000-mono.mp3");
    CMP3Player player;
    auto waiting = std::async(std::launch::async,
                              [&] { return player.Play(mp3.data(), mp3.size(), true, true); });
    // Long enough for several passes at the disk driver's speed.
    EXPECT_EQ(waiting.wait_for(1500ms), std::future_status::timeout);
    player.Stop();
    ASSERT_EQ(waiting.wait_for(5s), std::future_status::ready);
    EXPECT_TRUE(waiting.get());
}

TEST(MP3Player, TheScenesStopEventEndsAWaitingPlayAndTheWorker) {
    DiskAudio disk;
    const auto mp3 = MediaFixture("tone-16000-mono.mp3");
    Event sceneStop;
    CMP3Player player(&sceneStop);
    auto waiting = std::async(std::launch::async,
                              [&] { return player.Play(mp3.data(), mp3.size(), true, true); });
    ASSERT_TRUE(Eventually([&] { return player.Track()->started.isSet(); }));
    sceneStop.set();
    ASSERT_EQ(waiting.wait_for(5s), std::future_status::ready);
    // The worker is gone without the player's stop: it saw the scene's.
    EXPECT_TRUE(Eventually([&] { return player.Track()->finished.isSet(); }, 5s));
    player.Stop();
}

TEST(MP3Player, PlayAndStopFromTwoThreadsAtOnce) {
    DiskAudio disk;
    const auto first = MediaFixture("tone-22050-stereo.mp3");
    const auto second = MediaFixture("tone-48000-mono.mp3");
    CMP3Player player;
    // One thread starts looping tracks and stops them; the other waits for
    // tracks to end, which the first thread's plays and stops cut short.
    auto starter = std::async(std::launch::async, [&] {
        for (int i = 0; i < 25; ++i) {
            player.Play(first.data(), first.size(), false, i % 2 == 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(3 * (i % 5)));
            player.Stop();
        }
    });
    auto waiter = std::async(std::launch::async, [&] {
        for (int i = 0; i < 25; ++i) {
            player.Play(second.data(), second.size(), true, false);
        }
    });
    EXPECT_EQ(starter.wait_for(60s), std::future_status::ready);
    EXPECT_EQ(waiter.wait_for(60s), std::future_status::ready);
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
}

TEST(MP3Player, ALoopOfATrackThatCannotPlayWaitsInsteadOfSpinning) {
    DiskAudio disk;
    // No frame header anywhere: every pass fails at once.
    const std::vector<std::uint8_t> noFrames(20000, 0x55);
    CMP3Player player;
    ASSERT_TRUE(player.Play(noFrames.data(), noFrames.size(), false, true));
    ASSERT_TRUE(player.Track()->started.waitFor(5s)) << "a failed pass still counts as started";
    const long before = ProcessorMilliseconds();
    std::this_thread::sleep_for(2s);
    const long used = ProcessorMilliseconds() - before;
    // A spinning worker would use the whole two seconds; this one sleeps
    // a second between passes (the disk driver's own thread costs little).
    EXPECT_LT(used, 400);
    const auto start = std::chrono::steady_clock::now();
    player.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "the back-off wakes on the stop";
    EXPECT_TRUE(player.Track()->finished.isSet());
}

TEST(MP3Player, WithoutASoundDeviceNothingPlays) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto mp3 = MediaFixture("tone-22050-mono.mp3");
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
            CMP3Player player;
            const bool played = player.Play(mp3.data(), mp3.size(), true, true);
            std::exit(!played && !player.IsPlaying() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
