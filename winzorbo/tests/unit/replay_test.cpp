// Whole matches on the shipped playfields, driven by scripted controls
// through the game's own frame body.
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/random.h"
#include "match/headless_session.h"
#include "match/match_flow.h"
#include "match/match_state.h"
#include "match/play_playfield.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "playfield_fixture.h"
#include "rocket/controls.h"
#include "rocket/game_style.h"
#include "shots/shots.h"
#include "view/cameras.h"
#include "view/dirty_list.h"

#include <allegro.h>
#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {
const char* const shipped[] = {"arena", "twobase", "station", "lagoon", "winter"};

class ShippedMatch : public ::testing::Test {
protected:
    void SetUp() override {
        load_built_zorbo_data();
        set_program_directory(WINZORBO_BUILT_DATA);
        surface = create_bitmap(640, 480);
        clear_bitmap(surface);
        headless_match = true;
    }
    void TearDown() override {
        release_playfield();
        destroy_bitmap(surface);
        surface = nullptr;
        script_controls(0, -1);
        script_controls(1, -1);
    }

    void start(const char* name, GameStyle style, unsigned seed, int target = 3) {
        // A fresh process: the shot cursor is never reset by the game.
        shot_cursor = 0;
        zorbo_srand(seed);
        std::string error;
        ASSERT_TRUE(load_headless_playfield(name, error)) << error;
        game_style = style;
        dirty_list = DirtyList{};
        clear_shots();
        int totals[2] = {0, 0};
        begin_match(totals, target);
    }

    // Runs frames with the bits script(frame) gives; false when the match
    // ended first.
    bool run(int frames, const std::function<std::pair<int, int>(int)>& script,
             const std::function<void(int)>& check = {}) {
        for (int frame = 0; frame < frames; ++frame) {
            if (!prepare_frame()) {
                return false;
            }
            auto [first, second] = script(frame);
            script_controls(0, first);
            script_controls(1, second);
            run_frame_body();
            if (check) {
                check(frame);
            }
        }
        return true;
    }
};

void check_invariants(const char* name, int frame) {
    SCOPED_TRACE(std::string(name) + " frame " + std::to_string(frame));
    int world_width = cell_pixels * playfield_width;
    int world_height = cell_pixels * playfield_height;
    for (const Rocket& rocket : rockets) {
        ASSERT_GE(rocket.direction, 0);
        ASSERT_LT(rocket.direction, 24);
        ASSERT_GE(rocket.ammunition, 0);
        ASSERT_LE(rocket.ammunition, 500);
        ASSERT_LE(rocket.health, 100);
        ASSERT_LE(rocket.landed, 2);
        ASSERT_TRUE(std::isfinite(rocket.vx) && std::isfinite(rocket.vy));
        ASSERT_TRUE(rocket.flame == 0 || rocket.flame == 24);
        // Between the wrap edges.
        ASSERT_GE(rocket.x, 10);
        ASSERT_LE(rocket.x, world_width - 12);
    }
    for (const Shot& shot : shots) {
        if (shot.y != 0) {
            ASSERT_GE(shot.x, 0);
            ASSERT_LT(shot.x + 1, world_width);
            ASSERT_GT(shot.y, 0);
            ASSERT_LT(shot.y + 1, world_height);
        }
    }
    for (const Camera& camera : cameras) {
        ASSERT_GE(camera.x, 0);
        ASSERT_LE(camera.x, world_width - 300);
        ASSERT_GE(camera.look_ahead, -84);
        ASSERT_LE(camera.look_ahead, 84);
    }
    ASSERT_LE(dirty_list.count, dirty_capacity);
    for (const Rocket& rocket : rockets) {
        ASSERT_GE(rocket.score, 0);
        ASSERT_LE(rocket.score, match.target);
    }
}
} // namespace

TEST_F(ShippedMatch, SameScriptTwiceGivesTheSameChecksum) {
    auto script = [](int frame) {
        return std::pair{frame % 7 < 3 ? 3 : 4, frame % 11 < 5 ? 10 : 2};
    };
    start("twobase", style_lenient, 42);
    run(600, script);
    std::uint64_t first = match_checksum();
    release_playfield();
    start("twobase", style_lenient, 42);
    run(600, script);
    EXPECT_EQ(match_checksum(), first);
    release_playfield();
    start("twobase", style_lenient, 42);
    run(600, [](int) { return std::pair{0, 0}; });
    EXPECT_NE(match_checksum(), first);
}

TEST_F(ShippedMatch, FiveHundredFramesOfFireEmptyTheAmmunition) {
    start("twobase", style_strict, 1);
    ASSERT_TRUE(run(500, [](int) { return std::pair{1, 1}; }));
    EXPECT_EQ(rockets[0].ammunition, 0);
    EXPECT_EQ(rockets[1].ammunition, 0);
    int cursor = shot_cursor;
    run(1, [](int) { return std::pair{1, 1}; });
    EXPECT_EQ(shot_cursor, cursor);
}

TEST_F(ShippedMatch, AFlagRunScores) {
    start("twobase", style_strict, 1);
    ASSERT_EQ(base_count, 2);
    run(1, [](int) { return std::pair{0, 0}; });
    // Rocket 1 is set down on the other base, waits a frame, and is set
    // down on its own.
    auto set_on_base = [](int base) {
        rockets[0].x = base_sites[base].x;
        rockets[0].y = base_sites[base].y + 20;
        rockets[0].vx = rockets[0].vy = 0;
    };
    set_on_base(1);
    run(1, [](int) { return std::pair{0, 0}; });
    EXPECT_EQ(rockets[0].carrying, 1);
    const Actor& flag = actors[base_sites[1].actor];
    EXPECT_EQ(flag.x, rockets[0].x);
    set_on_base(0);
    run(1, [](int) { return std::pair{0, 0}; });
    EXPECT_EQ(rockets[0].carrying, 0);
    EXPECT_EQ(rockets[0].score, 1);
    EXPECT_EQ(flag.x, base_sites[1].x);
}

TEST_F(ShippedMatch, APauseChangesNothing) {
    auto script = [](int frame) { return std::pair{frame < 30 ? 2 : 0, frame < 20 ? 6 : 1}; };
    start("arena", style_strict, 5);
    run(40, script);
    std::uint64_t unpaused = match_checksum();
    release_playfield();

    start("arena", style_strict, 5);
    run(20, script);
    // The box waits for Space to go down and up again.
    std::atomic<bool> done{false};
    std::thread player([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        key[KEY_SPACE] = 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        key[KEY_SPACE] = 0;
        done = true;
    });
    key[KEY_P] = 1;
    handle_match_keys(nullptr);
    key[KEY_P] = 0;
    EXPECT_TRUE(done); // it returned only after Space came up
    player.join();
    run(20, [&](int frame) { return script(frame + 20); });
    EXPECT_EQ(match_checksum(), unpaused);
}

TEST_F(ShippedMatch, RandomScriptsKeepEveryInvariant) {
    const GameStyle styles[] = {style_strict, style_lenient, style_bouncy};
    int index = 0;
    for (const char* name : shipped) {
        GameStyle style = styles[index % 3];
        // A target no random match reaches: all 2000 frames are played.
        start(name, style, 1000u + static_cast<unsigned>(index), 999);
        ++index;
        std::uint32_t state = 12345u * static_cast<std::uint32_t>(index);
        auto next_bits = [&state] {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>(state >> 28);
        };
        int hold[2] = {0, 0};
        bool played = run(
            2000,
            [&](int frame) {
                // Hold each random input for a few frames, as players do.
                if (frame % 6 == 0) {
                    hold[0] = next_bits();
                    hold[1] = next_bits();
                }
                return std::pair{hold[0], hold[1]};
            },
            [&](int frame) { check_invariants(name, frame); });
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_TRUE(played) << name << ": the match ended early";
        release_playfield();
    }
}
