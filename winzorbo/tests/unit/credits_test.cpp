#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_state.h"
#include "playfield_fixture.h"
#include "screens/credits.h"
#include "scripted_player.h"
#include "sound/sound_layer.h"

#include <allegro.h>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
// Every entry is shown for 120 frames of ten moments each; the credits end
// with a wait of 900 moments.
constexpr long entry_waits = 120 * 10;
constexpr long final_waits = 900;

struct Roll {
    long waits;
    bool ran_out;
};

Roll roll(const std::string& text, int language) {
    ScriptedPlayer player;
    player.close_when_out = false;
    settings.language = language;
    roll_credits(text);
    return {player.waits, player.ran_out};
}

TEST(Credits, CommandsDecideHeadingsEntriesAndTheEnd) {
    struct Case {
        const char* label;
        std::string text;
        int language;
        long entries;
    } cases[] = {
        {"an & first still waits", "&\r\n&\r\n xx\r\n xx\r\n", language_english, 0},
        {"headings alone show nothing", "-Rubrik\n-Heading\n1Mer\n1More\n", language_english, 0},
        {"two entries under a heading", "-R\n-H\n a\n a\n b\n b\n&\n&\n", language_english, 2},
        {"the line of the language decides", "-R\n xx\n", language_english, 1},
        {"... also in Swedish", "-R\n xx\n", language_swedish, 0},
        {"& is looked for on the Swedish line", "x\n&\n y\n y\n", language_english, 2},
        {"nothing after &", " a\n a\n&\n&\n b\n b\n", language_swedish, 1},
        {"a text without & ends where it ends", " a\n a", language_english, 1},
    };
    for (const Case& c : cases) {
        Roll result = roll(c.text, c.language);
        EXPECT_EQ(result.waits, c.entries * entry_waits + final_waits) << c.label;
    }
}

TEST(Credits, AnEntryShowsUnderItsHeadingAndOneCharacterIsAnEmptyEntry) {
    ScriptedPlayer player;
    player.close_when_out = false;
    settings.language = language_english;
    roll_credits("-R\n-Heading\nx\ny\n");
    // The last frame stays on the screen.
    EXPECT_GT(count_colour(surface, 0, 150, 640, 20, 254), 0);
    EXPECT_EQ(count_colour(surface, 0, 230, 640, 20, 252), 0);
    roll_credits("-R\n-Heading\n 1\n Names\n");
    EXPECT_GT(count_colour(surface, 0, 230, 640, 20, 252), 0);
}

TEST(Credits, AKeyEndsTheEntryAtOnceAndSkipsTheRest) {
    ScriptedPlayer player;
    player.close_when_out = false;
    player.type({KEY_SPACE});
    roll_credits("-R\n-H\n a\n a\n b\n b\n c\n c\n");
    EXPECT_EQ(player.waits, 1);
    EXPECT_TRUE(keypressed()); // left for the menu, which clears it
}

TEST(Credits, TwoFiguresWalkInAndTheLowerOneRestsInTheMiddle) {
    ScriptedPlayer player;
    player.close_when_out = false;
    settings.language = language_english;
    int top_min_x = 10000;
    int top_max_x = -10000;
    int bottom_max_x = -10000;
    long rest_moments = 0;
    bool bottom_moved_left = false;
    int last_bottom_x = -10000;
    player.on_wait = [&] {
        if (actor_count < 2) {
            return;
        }
        top_min_x = std::min(top_min_x, actors[0].x);
        top_max_x = std::max(top_max_x, actors[0].x);
        EXPECT_EQ(actors[0].y, 60);
        EXPECT_EQ(actors[1].y, 440);
        bottom_moved_left |= actors[1].x < last_bottom_x;
        last_bottom_x = actors[1].x;
        bottom_max_x = std::max(bottom_max_x, actors[1].x);
        if (actors[1].state == 76) {
            EXPECT_EQ(actors[1].x, 340);
            ++rest_moments;
        }
    };
    // Two headings start both figures; 14 entries let the lower one cross
    // the middle.
    std::string text = "-A\n-A\n-B\n-B\n";
    for (int i = 0; i < 14; ++i) {
        text += " n\n n\n";
    }
    roll_credits(text);
    EXPECT_EQ(top_max_x, 644);
    EXPECT_LT(top_min_x, 0); // out at the left edge
    EXPECT_FALSE(bottom_moved_left);
    EXPECT_GT(bottom_max_x, 340);
    // 60 frames of ten moments; the last of them passes without a wait.
    EXPECT_GE(rest_moments, 59 * 10);
    EXPECT_LE(rest_moments, 61 * 10);
}
TEST(Credits, TheirOwnMusicPlaysAndTheMenuMusicComesBack) {
    ScriptedPlayer player;
    player.close_when_out = false;
    player.type({KEY_SPACE});
    std::vector<std::string> log;
    sound_record(&log);
    run_credits();
    sound_record(nullptr);
    std::vector<std::string> music;
    for (const std::string& line : log) {
        if (line.rfind("song", 0) == 0) {
            music.push_back(line.rfind("song_load", 0) == 0 ? "song_load" : line);
        }
    }
    std::vector<std::string> expected = {
        "song_load", "song_volume " + std::to_string(settings.music_volume),
        "song_stop", "song_play",
        "song_free", "song_stop",
        "song_play"};
    EXPECT_EQ(music, expected);
}

TEST(Credits, TheFileBesideTheProgramOrTheCopyInTheDatafile) {
    load_built_zorbo_data();
    char folder[] = "/tmp/winzorbo-credits-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string previous = program_directory();
    set_program_directory(folder);
    const DATAFILE& builtin = zorbo_data[obj_credits];
    EXPECT_EQ(load_credits_text(), std::string(static_cast<const char*>(builtin.dat),
                                               static_cast<std::size_t>(builtin.size)));
    std::string path = std::string(folder) + "/credits.txt";
    {
        std::ofstream file(path, std::ios::binary);
        file << "-Eget\r\n-Own\r\n";
    }
    EXPECT_EQ(load_credits_text(), "-Eget\r\n-Own\r\n");
    std::remove(path.c_str());
    rmdir(folder);
    set_program_directory(previous);
}
} // namespace
