// The builder's output, checked the way the game and its libraries read it.
#include "playfield_fixture.h"

#include "content/zorbo_content.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_file.h"
#include "playfield/playfield_header.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <xmp.h>

namespace fs = std::filesystem;

namespace {
const fs::path built = WINZORBO_BUILT_DATA;

std::vector<std::uint8_t> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
}

bool module_plays(const void* data, long size) {
    xmp_context context = xmp_create_context();
    bool ok = xmp_load_module_from_memory(context, const_cast<void*>(data), size) == 0;
    if (ok) {
        xmp_module_info info{};
        xmp_get_module_info(context, &info);
        ok = info.mod->chn == 4 && info.mod->pat > 0 && info.mod->ins >= 7 &&
             xmp_start_player(context, 22050, 0) == 0;
        // A few frames must produce sound, not silence.
        long loud = 0;
        for (int frame = 0; ok && frame < 60; ++frame) {
            xmp_frame_info frame_info{};
            xmp_play_frame(context);
            xmp_get_frame_info(context, &frame_info);
            const auto* samples = static_cast<const std::int16_t*>(frame_info.buffer);
            for (int i = 0; i < frame_info.buffer_size / 2; ++i) {
                loud += samples[i] > 500 || samples[i] < -500;
            }
        }
        ok = ok && loud > 1000;
        xmp_end_player(context);
        xmp_release_module(context);
    }
    xmp_free_context(context);
    return ok;
}

TEST(BuiltContent, ZorboDatMatchesTheManifest) {
    load_built_zorbo_data();
    const auto& manifest = zorbo_objects();
    for (int i = 0; i < zorbo_object_count; ++i) {
        const char* name = get_datafile_property(&zorbo_data[i], DAT_ID('N', 'A', 'M', 'E'));
        EXPECT_STREQ(name, manifest[i].name.c_str()) << i;
    }
    EXPECT_EQ(zorbo_data[zorbo_object_count].type, DAT_END);
}

TEST(BuiltContent, SpritesUseOnlyInterfaceColours) {
    load_built_zorbo_data();
    for (int i = 0; i < zorbo_object_count; ++i) {
        if (zorbo_data[i].type != DAT_RLE_SPRITE) {
            continue;
        }
        auto* sprite = static_cast<RLE_SPRITE*>(zorbo_data[i].dat);
        BITMAP* canvas = create_bitmap(sprite->w, sprite->h);
        clear_to_color(canvas, 0);
        draw_rle_sprite(canvas, sprite, 0, 0);
        int drawn = 0;
        for (int y = 0; y < sprite->h; ++y) {
            for (int x = 0; x < sprite->w; ++x) {
                int colour = getpixel(canvas, x, y);
                ASSERT_TRUE(colour == 0 || colour >= 224) << "object " << i << " colour " << colour;
                drawn += colour != 0;
            }
        }
        EXPECT_GT(drawn, 0) << "object " << i << " is empty";
        destroy_bitmap(canvas);
    }
}

TEST(BuiltContent, FontCoversTheCodePage) {
    load_built_zorbo_data();
    int format = get_uformat();
    set_uformat(U_ASCII);
    EXPECT_EQ(text_height(game_font), 16);
    for (const char* sample : {"\xe5", "\xe4", "\xf6", "\xc5", "\xc4", "\xd6", "\x80", "A", "~"}) {
        BITMAP* canvas = create_bitmap(40, 20);
        clear_to_color(canvas, 0);
        textout_ex(canvas, game_font, sample, 0, 0, 254, -1);
        int ink = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                ink += getpixel(canvas, x, y) == 254;
            }
        }
        EXPECT_GT(ink, 4) << static_cast<int>(static_cast<unsigned char>(sample[0]));
        destroy_bitmap(canvas);
    }
    EXPECT_GT(text_length(game_font, "Spelf\xe4lt"), text_length(game_font, "Spelf"));
    set_uformat(format);
}

TEST(BuiltContent, MusicModulesPlayInLibxmp) {
    load_built_zorbo_data();
    EXPECT_TRUE(module_plays(zorbo_data[obj_music_menu].dat, zorbo_data[obj_music_menu].size));
    EXPECT_TRUE(
        module_plays(zorbo_data[obj_music_credits].dat, zorbo_data[obj_music_credits].size));
}

TEST(BuiltContent, SoundsAreWaveFiles) {
    load_built_zorbo_data();
    for (int i = obj_sound; i < obj_sound + 7; ++i) {
        const auto* bytes = static_cast<const unsigned char*>(zorbo_data[i].dat);
        ASSERT_GT(zorbo_data[i].size, 44) << i;
        EXPECT_EQ(std::memcmp(bytes, "RIFF", 4), 0) << i;
        EXPECT_EQ(std::memcmp(bytes + 8, "WAVEfmt ", 8), 0) << i;
        std::uint32_t data_size = bytes[40] | bytes[41] << 8 | bytes[42] << 16 |
                                  static_cast<std::uint32_t>(bytes[43]) << 24;
        EXPECT_EQ(data_size + 44, static_cast<std::uint32_t>(zorbo_data[i].size)) << i;
    }
}

TEST(BuiltContent, TextsHaveEveryLineAndArgument) {
    load_built_zorbo_data();
    auto file = read_bytes(built / "text.txt");
    const DATAFILE& builtin = zorbo_data[obj_texts];
    ASSERT_EQ(file.size(), static_cast<std::size_t>(builtin.size));
    EXPECT_EQ(std::memcmp(file.data(), builtin.dat, file.size()), 0);
    TextTable table;
    fill_text_table(table, std::string(file.begin(), file.end()));
    // Ids with an argument and which; all others have none.
    auto argument = [](int id) -> std::string {
        if ((id >= 13 && id <= 16) || id == 21 || (id >= 23 && id <= 37))
            return "%i";
        if (id == 17 || id == 18 || id == 19 || id == 38)
            return "%s";
        return "";
    };
    for (int id = 0; id < text_id_count; ++id) {
        for (int language = 0; language < 2; ++language) {
            const std::string& line = table.lines[2 * id + language];
            EXPECT_FALSE(line.empty()) << id;
            std::string expected = argument(id);
            std::size_t percent = line.find('%');
            if (expected.empty()) {
                EXPECT_EQ(percent, std::string::npos) << id;
            } else {
                ASSERT_NE(percent, std::string::npos) << id;
                EXPECT_EQ(line.substr(percent, 2), expected) << id;
                EXPECT_EQ(line.find('%', percent + 1), std::string::npos) << id;
            }
            // Room for the widest argument inside the game's buffers.
            std::size_t limit = (id == 17 || id == 21) ? 255 : 79;
            std::size_t widest = expected == "%s" ? 25 : 1;
            EXPECT_LE(line.size() - expected.size() + widest, limit) << id;
        }
    }
    EXPECT_NE(std::string(file.begin(), file.end()).find("Spr\xe5k"), std::string::npos);
}

TEST(BuiltContent, CreditsFollowTheirFormat) {
    load_built_zorbo_data();
    auto file = read_bytes(built / "credits.txt");
    const DATAFILE& builtin = zorbo_data[obj_credits];
    ASSERT_EQ(file.size(), static_cast<std::size_t>(builtin.size));
    LineCutter cutter(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    int headings = 0;
    bool ended = false;
    while (!cutter.at_end()) {
        std::string swedish = cutter.next_line();
        if (!swedish.empty() && swedish[0] == '&') {
            ended = true;
            break;
        }
        std::string english = cutter.next_line();
        ASSERT_FALSE(swedish.empty());
        ASSERT_FALSE(english.empty());
        EXPECT_EQ(swedish[0], english[0]) << swedish;
        headings += swedish[0] == '-';
        EXPECT_LE(swedish.size(), 80u);
    }
    EXPECT_TRUE(ended);
    EXPECT_GE(headings, 2); // both walking figures appear
}

TEST(BuiltContent, MissingTextFileFallsBackToTheBuiltInCopy) {
    load_built_zorbo_data();
    PlayfieldFolder folder; // no text.txt there
    load_texts();
    settings.language = language_english;
    EXPECT_EQ(text(1), "Play");
    settings.language = language_swedish;
    EXPECT_EQ(text(1), "Spela");
}

TEST(BuiltContent, PlayfieldsLoadAndCoverEveryKindOfGame) {
    load_built_zorbo_data();
    int seasonal = 0, special = 0;
    std::set<int> base_counts;
    for (const auto& entry : fs::directory_iterator(built / "scn")) {
        if (entry.path().extension() != ".zrb") {
            continue;
        }
        auto bytes = read_bytes(entry.path());
        auto header = read_playfield_header(bytes.data(), bytes.size());
        ASSERT_TRUE(header) << entry.path();
        seasonal += header->seasonal;
        special += header->special;
        PlayfieldLayout layout;
        ASSERT_FALSE(check_playfield_layout(bytes.data(), bytes.size(), layout));
        DATAFILE* data = load_datafile((built / "scn" / (layout.datafile_name + ".dat")).c_str());
        ASSERT_NE(data, nullptr) << layout.datafile_name;
        EXPECT_EQ(data[0].type, DAT_DATA);
        EXPECT_TRUE(module_plays(data[0].dat, data[0].size)) << layout.datafile_name;
        TileSource tiles;
        int palette = -1;
        for (int i = 0; data[i].type != DAT_END; ++i) {
            const char* name = get_datafile_property(&data[i], DAT_ID('N', 'A', 'M', 'E'));
            if (std::strcmp(name, "BAK") == 0)
                tiles.bak = i;
            if (std::strcmp(name, "FAST") == 0)
                tiles.fast = i;
            if (std::strcmp(name, "PAL") == 0)
                palette = i;
            tiles.is_sprite.push_back(data[i].type == DAT_RLE_SPRITE);
        }
        EXPECT_GT(tiles.fast, tiles.bak);
        EXPECT_GT(palette, tiles.fast);
        EXPECT_FALSE(check_playfield(bytes.data(), bytes.size(), tiles)) << entry.path();
        int bases = 0;
        walk_placements(bytes.data(), bytes.size(), layout,
                        [&](int code, int, int, int) { bases += code == place_base; });
        base_counts.insert(bases);
        unload_datafile(data);
    }
    EXPECT_GE(base_counts.size(), 3u); // shooting, two-base and central-flag games
    EXPECT_GE(seasonal, 1);
    EXPECT_GE(special, 1);
}

TEST(BuiltContent, SameSourcesGiveTheSameBytes) {
    char first[] = "/tmp/winzorbo-build-a-XXXXXX";
    char second[] = "/tmp/winzorbo-build-b-XXXXXX";
    ASSERT_NE(mkdtemp(first), nullptr);
    ASSERT_NE(mkdtemp(second), nullptr);
    std::vector<std::string> problems;
    ASSERT_TRUE(build_content(WINZORBO_CONTENT_SOURCE, first, "", problems));
    ASSERT_TRUE(build_content(WINZORBO_CONTENT_SOURCE, second, "", problems));
    EXPECT_TRUE(problems.empty());
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        fs::path relative = fs::relative(entry.path(), first);
        EXPECT_EQ(read_bytes(entry.path()), read_bytes(fs::path(second) / relative)) << relative;
        // The build in the tree came from the same sources.
        EXPECT_EQ(read_bytes(entry.path()), read_bytes(built / relative)) << relative;
        ++files;
    }
    EXPECT_GE(files, 3 + 2 * 5);
    fs::remove_all(first);
    fs::remove_all(second);
}
} // namespace
