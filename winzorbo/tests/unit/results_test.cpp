#include "core/game_state.h"
#include "core/random.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"
#include "screens/results.h"
#include "scripted_player.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {
TEST(ResultsRemark, EachDifferenceHasItsRemarksAboutWinnerOrLoser) {
    MarkedTexts marked;
    settings.language = language_english;
    // With seed 1 the generator's first number is 41: 41 mod 4 = 1,
    // 41 mod 6 = 5, 41 mod 5 = 1.
    struct Case {
        int t0, t1;
        std::string remark;
    } cases[] = {
        {2, 2, "E22"},   {0, 0, "E22"},   {2, 0, "E29 1"}, {0, 2, "E29 2"},  {3, 0, "E37 2"},
        {1, 4, "E37 1"}, {5, 1, "E24 1"}, {1, 2, "E24 2"}, {10, 0, "E24 1"},
    };
    for (const Case& c : cases) {
        zorbo_srand(1);
        EXPECT_EQ(results_remark(c.t0, c.t1), c.remark) << c.t0 << ":" << c.t1;
    }
    // Over many draws every remark of a difference turns up, and no other.
    struct Spread {
        int t0, t1;
        std::set<std::string> remarks;
    } spreads[] = {
        {2, 0, {"E28 2", "E29 1", "E30 1", "E31 1"}},
        {3, 0, {"E32 1", "E33 1", "E34 1", "E35 2", "E36 1", "E37 2"}},
        {5, 1, {"E23 1", "E24 1", "E25 1", "E26 1", "E27 2"}},
    };
    for (const Spread& s : spreads) {
        std::set<std::string> seen;
        zorbo_srand(7);
        for (int i = 0; i < 200; ++i) {
            seen.insert(results_remark(s.t0, s.t1));
        }
        EXPECT_EQ(seen, s.remarks) << s.t0 << ":" << s.t1;
    }
}

std::vector<std::pair<int, int>> figure_frames(int winner, int steps) {
    ResultFigures figures;
    figures.winner = winner;
    std::vector<std::pair<int, int>> frames;
    for (int i = 0; i < steps; ++i) {
        figures.step();
        frames.push_back({figures.left_frame, figures.right_frame});
    }
    return frames;
}

TEST(ResultsFigures, CheerWhenWinningOrLevelAndSulkAfterALoss) {
    std::vector<std::pair<int, int>> level = {{40, 25}, {41, 26}, {40, 25}, {42, 27},
                                              {40, 25}, {41, 26}, {40, 25}, {42, 27}};
    EXPECT_EQ(figure_frames(0, 8), level);
    std::vector<std::pair<int, int>> first_won = {{40, 28}, {41, 28}, {40, 28}, {42, 28},
                                                  {40, 29}, {41, 30}, {40, 29}, {42, 30}};
    EXPECT_EQ(figure_frames(1, 8), first_won);
    std::vector<std::pair<int, int>> second_won = {{38, 25}, {38, 26}, {38, 25}, {39, 27},
                                                   {39, 25}, {39, 26}, {39, 25}, {39, 27}};
    EXPECT_EQ(figure_frames(2, 8), second_won);
}

TEST(Results, LeftAndRightChooseBetweenPlayingAgainAndTheMenu) {
    struct Case {
        const char* label;
        std::vector<int> keys;
        int answer;
    } cases[] = {
        {"Enter at once", {KEY_ENTER}, 1},
        {"Right", {KEY_RIGHT, KEY_ENTER}, 0},
        {"Left toggles too", {KEY_LEFT, KEY_SPACE}, 0},
        {"there and back", {KEY_RIGHT, KEY_LEFT, KEY_ENTER_PAD}, 1},
        {"other keys do nothing", {KEY_UP, KEY_A, KEY_ESC, KEY_ENTER}, 1},
    };
    for (const Case& c : cases) {
        ScriptedPlayer player;
        for (int k : c.keys) {
            player.type({k});
        }
        EXPECT_EQ(show_results(3, 1, "Arena"), c.answer) << c.label;
        EXPECT_FALSE(player.ran_out) << c.label;
    }
}

TEST(Results, ShowsTheBoxesAndFiguresAndClosingGoesBack) {
    MarkedTexts marked;
    ScriptedPlayer player;
    player.close_when_out = false;
    clear_bitmap(surface);
    // No keys: the figures change every eleventh moment until the window
    // closes.
    std::set<unsigned long> left_pictures;
    BITMAP* left = create_bitmap(100, 80);
    player.on_wait = [&] {
        blit(surface, left, 200, 80, 0, 0, 100, 80);
        unsigned long sum = 0;
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                sum = sum * 31 + static_cast<unsigned long>(getpixel(left, x, y));
            }
        }
        left_pictures.insert(sum);
        if (player.waits == 60) {
            request_close();
        }
    };
    EXPECT_EQ(show_results(2, 2, "Arena"), 0);
    destroy_bitmap(left);
    EXPECT_GE(left_pictures.size(), 3u); // 40, 41, 42 by turns
    // Both totals under the remark, the question and its two answers.
    EXPECT_GT(count_colour(surface, 240, 210, 40, 16, 254), 0);
    EXPECT_GT(count_colour(surface, 360, 210, 40, 16, 254), 0);
    EXPECT_GT(count_colour(surface, 200, 300, 240, 16, 254), 0);
    EXPECT_GT(count_colour(surface, 230, 340, 60, 16, 254), 0);
    EXPECT_GT(count_colour(surface, 350, 340, 60, 16, 254), 0);
}
} // namespace
