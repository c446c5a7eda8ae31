// The scene thread's main loop and the actions that do not show pictures.

#include "scene/DrawItems.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"
#include "scene/SceneMedia.h"

#include "PlaybackSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

TEST(Playback, EmptySceneIsPaintedBlackAndEnds) {
    Stage stage;
    stage.thread.PlayScene();
    EXPECT_EQ(stage.window.backgrounds, std::vector<std::uint32_t>{0});
    EXPECT_EQ(stage.window.Pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(stage.window.Pixel(319, 239), qRgb(0, 0, 0));
    EXPECT_GE(stage.window.presentations.load(), 1);
}

TEST(Playback, BackgroundLineAndLinkAreDoneInOrder) {
    Stage stage;
    auto& background = stage.Add<CBackgroundItem>();
    background.m_color.m_color = RGB(0, 0, 200);
    auto& line = stage.Add<CLineItem>();
    line.m_placement.m_start = {10, 20};
    line.m_placement.m_end = {110, 20};
    line.m_color.m_color = RGB(255, 255, 0);
    auto& disabled = stage.Add<CBackgroundItem>();
    disabled.m_color.m_color = RGB(9, 9, 9);
    disabled.SetDisabled(TRUE);
    auto& link = stage.Add<CLinkItem>();
    link.m_link = "http://example.org/";
    link.m_triggerKey = 'L';

    stage.thread.PlayScene();
    EXPECT_EQ(stage.window.backgrounds, (std::vector<std::uint32_t>{0, RGB(0, 0, 200)}));
    EXPECT_EQ(stage.window.Pixel(10, 20), qRgb(255, 255, 0));
    EXPECT_EQ(stage.window.Pixel(109, 20), qRgb(255, 255, 0));
    EXPECT_EQ(stage.window.Pixel(110, 20), qRgb(0, 0, 200)) << "the end point is not drawn";
    EXPECT_EQ(stage.window.Pixel(60, 21), qRgb(0, 0, 200));
    EXPECT_EQ(stage.window.link, "http://example.org/");
    EXPECT_EQ(stage.window.triggerKey, 'L');
}

TEST(Playback, LinkItemWithClearForgetsTheLink) {
    Stage stage;
    stage.window.SetLink("http://example.org/", 'L');
    stage.Add<CLinkItem>().m_clear = TRUE;
    stage.thread.PlayScene();
    EXPECT_EQ(stage.window.link, "");
    EXPECT_EQ(stage.window.triggerKey, -1);
}

TEST(Playback, LoopBlockRunsAsOftenAsItsRepeatCountSays) {
    for (const std::uint32_t repeat : {0U, 1U, 3U}) {
        Stage stage;
        stage.Add<CLoopStartItem>();
        auto& background = stage.Add<CBackgroundItem>();
        background.m_color.m_color = RGB(1, 1, 1);
        auto& end = stage.Add<CLoopEndItem>();
        end.m_repeat.m_repeatCount = repeat;
        ASSERT_TRUE(end.Prepare());
        stage.thread.PlayScene();
        EXPECT_EQ(stage.window.backgrounds.size(), 1 + std::max(1U, repeat)) << repeat;
    }
}

TEST(Playback, ForeverLoopNeverReachesTheItemsAfterItAndEndsOnStop) {
    Stage stage;
    stage.Add<CLoopStartItem>();
    stage.Add<CPauseItem>().m_duration.m_milliseconds = 10;
    auto& end = stage.Add<CLoopEndItem>();
    end.m_repeat.m_forever = TRUE;
    ASSERT_TRUE(end.Prepare());
    stage.Add<CLinkItem>().m_link = "never";
    ASSERT_TRUE(stage.thread.Start());
    EXPECT_FALSE(stage.thread.FinishedEvent().waitFor(std::chrono::milliseconds(100)));
    stage.thread.Stop();
    EXPECT_EQ(stage.window.link, "");
}

// A player that cannot play anything, as without a sound device.
class UnplayableMedia : public CSceneMedia {
public:
    explicit UnplayableMedia(std::atomic<int>& plays) : plays(plays) {}
    bool Play(CMediaItem&, bool, bool, CSceneThread&, CPoint) override {
        ++plays;
        return false;
    }
    void Stop(CMediaItem&) override {}
    void StopAll() override {}

private:
    std::atomic<int>& plays;
};

TEST(Playback, ForeverWaitingPlayOfAMediumThatCannotPlayWaitsForStopWithoutSpinning) {
    Stage stage;
    std::atomic<int> plays{0};
    stage.thread.SetMedia(std::make_unique<UnplayableMedia>(plays));
    auto& media = stage.Add<CMediaItem>();
    auto& play = stage.Add<CPlayMediaItem>();
    play.m_media = &media;
    play.m_play.m_wait = TRUE;
    play.m_play.m_forever = TRUE;
    stage.Add<CLinkItem>().m_link = "never";
    ASSERT_TRUE(stage.thread.Start());
    EXPECT_FALSE(stage.thread.FinishedEvent().waitFor(std::chrono::milliseconds(100)));
    stage.thread.Stop();
    EXPECT_EQ(plays.load(), 1) << "the play was retried in a busy loop";
    EXPECT_EQ(stage.window.link, "");
}

TEST(Playback, PauseSleepsItsDurationInChunks) {
    struct Case {
        std::uint32_t milliseconds;
        int stopAtChunk; // the chunk during which the stop comes; -1: none
        std::vector<long> chunks;
    };
    const Case cases[] = {
        {250, -1, {100, 100, 50}}, {300, -1, {100, 100, 100}}, {40, -1, {40}}, {0, -1, {}},
        {450, 1, {100, 100}},
    };
    for (const Case& c : cases) {
        Stage stage;
        stage.Add<CPauseItem>().m_duration.m_milliseconds = c.milliseconds;
        std::vector<long> chunks;
        stage.thread.sleepOnStop = [&](std::chrono::milliseconds time) {
            chunks.push_back(static_cast<long>(time.count()));
            return static_cast<int>(chunks.size()) - 1 == c.stopAtChunk;
        };
        stage.thread.PlayScene();
        EXPECT_EQ(chunks, c.chunks) << c.milliseconds << " ms";
    }
}

TEST(Playback, StopEndsALongPauseAtOnce) {
    Stage stage;
    stage.Add<CPauseItem>().m_duration.m_milliseconds = 20000;
    ASSERT_TRUE(stage.thread.Start());
    EXPECT_FALSE(stage.thread.FinishedEvent().waitFor(std::chrono::milliseconds(50)));
    const auto start = Clock::now();
    stage.thread.Stop();
    // The pause wakes on the stop event itself; the bound allows for a slow,
    // instrumented build on a busy machine.
    EXPECT_LT(Since(start).count(), 100);
}

TEST(Playback, RandomPauseDiffersFromThePreviousByAtLeast150) {
    Stage stage;
    auto& pause = stage.Add<CPauseItem>();
    pause.m_duration.m_random = TRUE;
    pause.m_duration.m_milliseconds = 0;
    stage.thread.StopEvent().set(); // draw only, no sleeping
    int dummy = 0;
    for (int run = 0; run < 20; ++run) {
        const std::uint32_t previous = pause.m_duration.m_milliseconds;
        pause.Run(stage.dc, dummy, stage.thread);
        const std::uint32_t drawn = pause.m_duration.m_milliseconds;
        EXPECT_LE(drawn, 3000U);
        EXPECT_GE(drawn > previous ? drawn - previous : previous - drawn, 150U);
    }
}

} // namespace
