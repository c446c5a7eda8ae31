#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/random.h"
#include "match/match_state.h"
#include "menus/game_menus.h"
#include "menus/playfield_menu.h"
#include "playfield/playfield_catalogue.h"
#include "playfield/playfield_state.h"
#include "playfield_fixture.h"
#include "rocket/game_style.h"
#include "scripted_player.h"
#include "sound/sound_layer.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {
// Four playfields told apart by their width: three standard, one special.
class StartAction : public ::testing::Test {
protected:
    void SetUp() override {
        write("pa", 4, 0);
        write("pb", 5, 0);
        write("pc", 6, 0);
        write("pd", 7, 1);
        list_playfields(folder.path() + "/scn", false);
        ASSERT_EQ(playfield_total, 4);
        headless_match = true;
        set_up_menus();
        assign_menu_texts();
    }
    void TearDown() override { headless_match = false; }

    void write(const std::string& base, int width, int list) {
        PlayfieldBytes bytes;
        bytes.width = width;
        bytes.list = static_cast<std::uint8_t>(list);
        bytes.english = base;
        folder.write_playfield(base, bytes);
    }
    int width_of(int index) {
        std::string base = playfield_in_menu_order(index).base_name;
        return 4 + (base[1] - 'a');
    }
    // Leaves each match in its first frame and notes its width and target.
    void leave_matches_at_once() {
        player.on_wait = [this] {
            if (playfield_data) {
                played.push_back({playfield_width, match.target});
                key[KEY_ESC] = 1;
                frame_counter = 10; // the frame ends; the next one sees Escape
            }
        };
    }

    PlayfieldFolder folder;
    MarkedTexts marked;
    ScriptedPlayer player;
    std::vector<std::pair<int, int>> played; // width, target
};

TEST_F(StartAction, EveryItemChoosesItsPlayfieldsAndTarget) {
    struct Case {
        int item;
        bool plays;
        std::vector<int> playfields;
        int target;
    } cases[] = {
        // Seed 1 draws 41 first: 41 mod 4 = 1, 41 mod 3 = 2, 41 mod 1 = 0.
        {0, true, {1}, 3}, {1, true, {2}, 3}, {2, true, {3}, 3}, {3, true, {0, 1, 2, 3}, 1},
        {4, false, {}, 0}, {5, true, {0}, 3}, {8, true, {3}, 3}, {9, false, {}, 0}, // back
    };
    for (const Case& c : cases) {
        zorbo_srand(1);
        MatchSequence sequence;
        ASSERT_EQ(choose_sequence(c.item, sequence), c.plays) << c.item;
        if (!c.plays) {
            continue;
        }
        EXPECT_EQ(std::vector<int>(sequence.playfields, sequence.playfields + sequence.count),
                  c.playfields)
            << c.item;
        EXPECT_EQ(sequence.target, c.target) << c.item;
    }
}

TEST_F(StartAction, ThePlayfieldMenuListsEveryPlayfieldBetweenTheChoicesAndBack) {
    settings.language = language_english;
    build_playfield_menu();
    std::vector<std::string> expected = {"E48", "E49", "E50", "E51", "---------------"};
    for (int i = 0; i < 4; ++i) {
        expected.push_back(playfield_in_menu_order(i).english_name);
    }
    expected.push_back("E5");
    ASSERT_EQ(playfield_menu.count, static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(playfield_menu.items[i].text, expected[i]);
    }
    EXPECT_EQ(playfield_menu.title, "E45");
    EXPECT_EQ(playfield_menu.parent, &main_menu);
}

TEST_F(StartAction, AStyleOpensThePlayfieldMenu) {
    current_menu = &play_menu;
    selection = 0;
    player.type({KEY_DOWN, KEY_ENTER});
    run_menu(true);
    EXPECT_EQ(game_style, style_lenient);
    EXPECT_EQ(current_menu, &playfield_menu);
    current_menu = &play_menu;
    selection = 0;
    player.type({KEY_ENTER});
    run_menu(true);
    EXPECT_EQ(game_style, style_bouncy);
}

TEST_F(StartAction, RandomChoicesAreDrawnAnewForEveryRepetition) {
    zorbo_srand(1);
    leave_matches_at_once();
    for (int again = 0; again < 5; ++again) {
        player.type({KEY_ENTER}); // play again
    }
    player.type({KEY_RIGHT, KEY_ENTER}); // back to the menu
    std::vector<std::string> log;
    sound_record(&log);
    build_playfield_menu();
    start_matches(0);
    sound_record(nullptr);
    EXPECT_FALSE(player.ran_out);
    ASSERT_EQ(played.size(), 6u);
    EXPECT_EQ(played[0].first, width_of(1)); // 41 mod 4
    std::set<int> widths;
    for (auto [width, target] : played) {
        widths.insert(width);
        EXPECT_EQ(target, 3);
    }
    EXPECT_GE(widths.size(), 2u);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "song_stop"); // the menu music
    EXPECT_EQ(log.back(), "song_play");  // and again after
}

TEST_F(StartAction, EveryPlayfieldInTurnPlaysEachToOnePoint) {
    leave_matches_at_once();
    player.type({KEY_RIGHT, KEY_ENTER});
    build_playfield_menu();
    start_matches(3);
    std::vector<std::pair<int, int>> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back({width_of(i), 1});
    }
    EXPECT_EQ(played, expected);
}

TEST_F(StartAction, TheSeparatorAndAnEmptyListDoNothingAndTheMenuStays) {
    // Without special playfields the third choice has nothing to draw from.
    std::string scn = folder.path() + "/scn/pd.zrb";
    std::remove(scn.c_str());
    list_playfields(folder.path() + "/scn", false);
    ASSERT_EQ(special_playfields.count, 0);
    build_playfield_menu();
    for (int item : {separator_item, 2}) {
        current_menu = &playfield_menu;
        selection = static_cast<std::int8_t>(item);
        std::vector<std::string> log;
        sound_record(&log);
        player.type({KEY_ENTER});
        EXPECT_EQ(run_menu(true), 1);
        sound_record(nullptr);
        EXPECT_EQ(current_menu, &playfield_menu) << item;
        EXPECT_EQ(selection, item);
        EXPECT_TRUE(log.empty()) << item; // the music went on
        EXPECT_TRUE(played.empty());
    }
}

TEST_F(StartAction, MoreThanTwentyFourPlayfieldsListTheFirstTwentyFour) {
    for (int i = 0; i < 26; ++i) {
        write("q" + std::to_string(100 + i), 4, 0);
    }
    list_playfields(folder.path() + "/scn", false);
    ASSERT_EQ(playfield_total, 30);
    settings.language = language_english;
    build_playfield_menu();
    EXPECT_EQ(playfield_menu.count, 30);
    EXPECT_EQ(playfield_menu.items[29].text, "E5");
    EXPECT_EQ(playfield_menu.items[28].text, playfield_in_menu_order(23).english_name);
    // The random choice and the whole run still reach all thirty.
    MatchSequence sequence;
    ASSERT_TRUE(choose_sequence(3, sequence));
    EXPECT_EQ(sequence.count, 30);
}
} // namespace
