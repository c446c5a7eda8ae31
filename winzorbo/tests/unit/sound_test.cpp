#include "content/datafile_writer.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "field_fixture.h"
#include "match/match_flow.h"
#include "match/match_state.h"
#include "match/play_playfield.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "playfield_fixture.h"
#include "shots/shots.h"
#include "sound/game_sounds.h"
#include "sound/sound_layer.h"

#include <algorithm>
#include <allegro.h>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {
// Every sound call of a test, in order.
class Recording {
public:
    Recording() { sound_record(&log); }
    ~Recording() { sound_record(nullptr); }
    std::vector<std::string> log;

    std::vector<std::string> matching(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : log) {
            if (line.rfind(prefix, 0) == 0) {
                out.push_back(line);
            }
        }
        return out;
    }
};

double loudness(const std::vector<std::int16_t>& frames) {
    double sum = 0;
    for (std::int16_t value : frames) {
        sum += static_cast<double>(value) * value;
    }
    return std::sqrt(sum / static_cast<double>(frames.size()));
}

// The seven samples loaded as at start-up, released at the end.
struct LoadedSounds {
    LoadedSounds() {
        load_built_zorbo_data();
        start_game_sounds(255);
    }
    ~LoadedSounds() { stop_game_sounds(); }
};

std::vector<std::int16_t> render(Song* song, int count) {
    std::vector<std::int16_t> frames(2 * static_cast<std::size_t>(count));
    song_render(song, frames.data(), count);
    return frames;
}

Song* song_from(const DATAFILE& object) {
    return song_load_memory(object.dat, object.size);
}
} // namespace

TEST(SoundLayer, StartUpLoadsTheSevenSamplesWithTheirDefaults) {
    load_built_zorbo_data();
    Recording recording;
    start_game_sounds(77);
    EXPECT_EQ(recording.log.front(), "init 32000 64 0");
    EXPECT_EQ(recording.matching("sample_load").size(), 7u);
    const std::vector<std::string> defaults = {
        "sample_defaults 0 -1 180 -1 200", "sample_defaults 1 -1 180 -1 200",
        "sample_defaults 2 -1 200 -1 100", "sample_defaults 3 -1 140 -1 150",
        "sample_defaults 4 -1 90 -1 200",  "sample_defaults 5 -1 255 -1 150",
        "sample_defaults 6 -1 180 -1 150",
    };
    EXPECT_EQ(recording.matching("sample_defaults"), defaults);
    EXPECT_EQ(recording.log.back(), "sfx_volume 77");
    stop_game_sounds();
}

TEST(SoundLayer, StaleAndUnknownChannelsAreHarmless) {
    for (int channel : {-1, 0, 63, 64, 100000}) {
        sound_stop(channel);
        sound_set_pan(channel, 255);
    }
    EXPECT_EQ(sound_play(sound_free, -1), -1);
    EXPECT_EQ(sound_play(sound_free, 31), -1);
}

TEST(SoundLayer, AStaleHandleCannotStopTheSoundThatReusedItsChannel) {
    Recording recording;
    int first = sound_play(sound_free, 0);
    EXPECT_TRUE(sound_channel_playing(first));
    // Every channel in turn, until the first one is handed out again.
    int reused = -1;
    for (int i = 0; i < 64; ++i) {
        reused = sound_play(sound_free, 0);
    }
    EXPECT_NE(reused, first);
    EXPECT_EQ(reused % 64, first % 64);
    EXPECT_FALSE(sound_channel_playing(first));
    sound_stop(first);
    sound_set_pan(first, 0);
    EXPECT_TRUE(sound_channel_playing(reused));
    sound_stop(reused);
    EXPECT_FALSE(sound_channel_playing(reused));
}

TEST(SoundLayer, NullSongsAndUnreadableModulesAreAccepted) {
    const unsigned char junk[] = {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd'};
    EXPECT_EQ(song_load_memory(junk, sizeof junk), nullptr);
    EXPECT_EQ(song_load_memory(nullptr, 100), nullptr);
    song_set_master_volume(nullptr, 10);
    song_play(nullptr);
    song_set_paused(nullptr, 1);
    song_stop(nullptr);
    song_free(nullptr);
    std::vector<std::int16_t> frames = render(nullptr, 64);
    EXPECT_TRUE(std::all_of(frames.begin(), frames.end(), [](std::int16_t v) { return v == 0; }));
}

TEST(SoundLayer, ShippedModulesRenderAndPauseOrVolumeZeroSilenceThem) {
    load_built_zorbo_data();
    std::vector<Song*> songs = {song_from(zorbo_data[obj_music_credits]),
                                song_from(zorbo_data[obj_music_menu])};
    set_program_directory(WINZORBO_BUILT_DATA);
    for (const char* name : {"arena", "caves", "station", "lagoon", "winter"}) {
        std::string path = data_path(std::string("scn/") + name + ".dat");
        DATAFILE* data = load_datafile(path.c_str());
        ASSERT_NE(data, nullptr) << path;
        songs.push_back(song_from(data[0]));
        unload_datafile(data);
    }
    for (Song* song : songs) {
        ASSERT_NE(song, nullptr);
        EXPECT_EQ(loudness(render(song, 4000)), 0.0); // not started
        song_set_master_volume(song, 255);
        song_play(song);
        sound_set_sfx_master_volume(0); // the effects volume leaves music alone
        double full = loudness(render(song, sound_mixing_rate));
        EXPECT_GT(full, 300.0);
        song_set_paused(song, 1);
        EXPECT_EQ(loudness(render(song, 4000)), 0.0);
        song_set_paused(song, 0);
        song_set_master_volume(song, 0);
        EXPECT_EQ(loudness(render(song, 4000)), 0.0);
        song_set_master_volume(song, 64);
        double quiet = loudness(render(song, sound_mixing_rate));
        EXPECT_GT(quiet, 0.0);
        EXPECT_LT(quiet, full);
        song_free(song); // while playing
    }
    sound_set_sfx_master_volume(255);
}

TEST(GameSounds, CollisionSoundsInBothSpeakers) {
    TestField field(10, 10);
    LoadedSounds sounds;
    Recording recording;
    rockets[0] = Rocket{};
    rockets[1] = Rocket{};
    rockets[0].x = 100;
    rockets[1].x = 105;
    rocket_collision(rockets[0], rockets[1]);
    auto plays = recording.matching("play");
    auto pans = recording.matching("pan");
    ASSERT_EQ(plays.size(), 2u);
    ASSERT_EQ(pans.size(), 2u);
    EXPECT_EQ(plays[0].substr(0, 10), "play -1 2 ");
    EXPECT_EQ(plays[1].substr(0, 10), "play -1 2 ");
    EXPECT_EQ(pans[0].substr(pans[0].size() - 2), " 0");
    EXPECT_EQ(pans[1].substr(pans[1].size() - 4), " 255");
}

TEST(GameSounds, EachShotHitCutsThePreviousHitShort) {
    TestField field(20, 20);
    LoadedSounds sounds;
    Recording recording;
    hit_channel = -1;
    rockets[1].x = 200;
    rockets[1].y = 200;
    rockets[1].health = 100;
    shots[0] = Shot{205, 195, 0, 10};
    shots[1] = Shot{210, 195, 0, 10};
    update_shots();
    std::vector<std::string> expected_order = {"stop -1", "play -1 2 -> 0", "stop 0",
                                               "play -1 2 -> 1"};
    EXPECT_EQ(recording.log, expected_order);
    EXPECT_EQ(hit_channel, 1);
    EXPECT_EQ(rockets[1].health, 90);
}

TEST(MatchMusic, PlayfieldSongPlaysAndIsFreedWhenEscapeEndsTheMatch) {
    load_built_zorbo_data();
    set_program_directory(WINZORBO_BUILT_DATA);
    surface = create_bitmap(640, 480);
    headless_match = true;
    ASSERT_FALSE(open_playfield("twobase", "twobase"));
    Recording recording;
    int totals[2] = {4, 5};
    key[KEY_ESC] = 1;
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        key[KEY_ESC] = 0;
    });
    play_playfield(totals, 3);
    player.join();
    EXPECT_EQ(totals[0], 4);
    EXPECT_EQ(totals[1], 5);
    EXPECT_EQ(playfield_data, nullptr); // released
    std::vector<std::string> music;
    for (const std::string& line : recording.log) {
        if (line.rfind("song", 0) == 0) {
            music.push_back(line.rfind("song_load", 0) == 0 ? "song_load" : line);
        }
    }
    std::vector<std::string> expected = {"song_load", "song_volume 255", "song_play",
                                         "song_stop", "song_free",       "song_stop"};
    EXPECT_EQ(music, expected);
    destroy_bitmap(surface);
    surface = nullptr;
}

TEST(MatchMusic, APlayfieldWhoseFirstObjectIsNoModuleIsPlayedSilently) {
    load_built_zorbo_data();
    PlayfieldFolder folder;
    // The module's place taken by a picture.
    DatafileWriter writer;
    BITMAP* picture = create_bitmap_ex(8, 20, 20);
    clear_to_color(picture, 3);
    writer.add_sprite("MUSIC", picture);
    writer.add_binary("BAK", {});
    writer.add_sprite("FAST", picture);
    destroy_bitmap(picture);
    PALETTE palette{};
    writer.add_palette("PAL", palette);
    ASSERT_TRUE(writer.write(folder.path() + "/scn/nosong.dat"));
    PlayfieldBytes bytes;
    bytes.datafile = "nosong";
    folder.write_playfield("nosong", bytes);
    surface = create_bitmap(640, 480);
    headless_match = true;
    ASSERT_FALSE(open_playfield("nosong", "No song"));
    Recording recording;
    int totals[2] = {0, 0};
    key[KEY_ESC] = 1;
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        key[KEY_ESC] = 0;
    });
    play_playfield(totals, 3);
    player.join();
    headless_match = false;
    EXPECT_TRUE(recording.matching("song_load").empty());
    destroy_bitmap(surface);
    surface = nullptr;
}

TEST(GameSounds, FlagDeliveredToTheWrongBaseSoundsTheLoss) {
    TestField field(20, 20);
    LoadedSounds sounds;
    base_count = 3;
    for (int b = 0; b < 3; ++b) {
        base_sites[b] = BaseSite{40 + 100 * b, 60, field.add_actor(40 + 100 * b, 60, 34, 2)};
        field.kind(2 + 5 * b, 3, cell_base + b);
    }
    int totals[2] = {0, 0};
    begin_match(totals, 3);
    rockets[1].carrying = 1;
    rockets[1].x = 35; // on base 0, the other player's
    rockets[1].y = 55;
    Recording recording;
    apply_flag_rules(1);
    EXPECT_EQ(rockets[0].score, 1);
    std::vector<std::string> expected = {"play -1 1 -> 0", "pan 0 255"};
    EXPECT_EQ(recording.log, expected);
}
