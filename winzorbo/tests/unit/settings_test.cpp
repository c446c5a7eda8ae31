#include "startup/control_code.h"
#include "startup/settings.h"

#include <allegro.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {
Settings read_from(const std::string& ini) {
    set_config_data(ini.data(), static_cast<int>(ini.size()));
    Settings result;
    read_settings(result);
    return result;
}

TEST(Settings, LanguageValues) {
    struct Case {
        const char* ini;
        int language;
    } cases[] = {
        {"language = se\n", language_swedish},     {"language = SE\n", language_english},
        {"language = en\n", language_english},     {"language = \n", language_english},
        {"[keys]\nleft1 = 3\n", language_english}, {"language = sv\n", language_english},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read_from(c.ini).language, c.language) << c.ini;
    }
}

TEST(Settings, MissingKeysTakeTheirDefaults) {
    Settings s = read_from("[keys]\nfire2 = 1001\n[volume]\nvol1 = 40\n");
    EXPECT_EQ(s.controls[action_left][0], KEY_A);
    EXPECT_EQ(s.controls[action_right][0], KEY_D);
    EXPECT_EQ(s.controls[action_gas][0], KEY_S);
    EXPECT_EQ(s.controls[action_fire][0], KEY_Q);
    EXPECT_EQ(s.controls[action_left][1], KEY_LEFT);
    EXPECT_EQ(s.controls[action_right][1], KEY_RIGHT);
    EXPECT_EQ(s.controls[action_gas][1], KEY_DOWN);
    EXPECT_EQ(s.controls[action_fire][1], 1001);
    EXPECT_EQ(s.music_volume, 255);
    EXPECT_EQ(s.effect_volume, 40);
}

TEST(Settings, VolumesOutsideTheirRangeAreBroughtBack) {
    Settings s = read_from("[volume]\nvol0 = 999\nvol1 = -5\n");
    EXPECT_EQ(s.music_volume, 255);
    EXPECT_EQ(s.effect_volume, 0);
}

TEST(Settings, SavedFileReadsBackTheSame) {
    char folder[] = "/tmp/winzorbo-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string path = std::string(folder) + "/WinZorbo.ini";
    Settings saved;
    saved.language = language_swedish;
    default_controls(saved);
    saved.controls[action_gas][1] = 2105;
    saved.music_volume = 12;
    saved.effect_volume = 200;
    save_settings(saved, path);

    std::ifstream file(path);
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("language = se"), std::string::npos);
    EXPECT_NE(content.find("gas2 = 2105"), std::string::npos);

    set_config_file(path.c_str());
    Settings loaded;
    read_settings(loaded);
    EXPECT_EQ(loaded.language, language_swedish);
    EXPECT_EQ(loaded.controls[action_gas][1], 2105);
    EXPECT_EQ(loaded.controls[action_fire][0], KEY_Q);
    EXPECT_EQ(loaded.music_volume, 12);
    EXPECT_EQ(loaded.effect_volume, 200);
    std::remove(path.c_str());
    std::remove(folder);
}

// The start-up steps, from the UTF-8 text mode allegro_init leaves.
Settings start_up_with(const std::string& path) {
    set_uformat(U_UTF8);
    open_settings_file(path);
    Settings result;
    read_settings_file(result, path);
    return result;
}

TEST(Settings, DamagedFilesWithBytesAbove127ReadAndKeepTheSettingsOverARestart) {
    using namespace std::string_literals;
    const std::string files[] = {
        // A NUL and a broken UTF-8 sequence in a section name.
        "[volume]\nvol\xe4"
        "0 = 999\nv = -5\n[vol\xeb\x85\0\0\xd0`\0\0ume]\nvol0 = 0x40\n"
        "vol1 = twel.e\n"s,
        "language = s\xe9\n[k\xfc]\nleft1 = 3\n[keys]\nfire2 = 1\xe5\n[volume]\nvol1 = 7\n"s,
        // A section line the library writes back without its space, after
        // which it no longer names [keys].
        "language = en\nlangu[keys]\nleft1 = 0500\n[keys] 220]\nfire1 = 8099\nleft1 = (1001\n"
        "right2 =g"s,
        // Read as UTF-8, this one kept the library's parser busy for ever.
        "le = en\n[keyangulage = en\n[keys] = 4404\nfire1 = 8\xc5=83"s + std::string(12, '\xad') +
            "\xff" + std::string(18, '\xad') + "6",
    };
    char folder[] = "/tmp/winzorbo-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string path = std::string(folder) + "/WinZorbo.ini";
    int format = get_uformat();
    for (const std::string& file : files) {
        std::ofstream(path, std::ios::binary) << file;
        Settings first = start_up_with(path);
        save_settings(first, path);
        Settings again = start_up_with(path);
        EXPECT_EQ(again.language, first.language);
        for (int action = 0; action < 4; ++action) {
            for (int player = 0; player < 2; ++player) {
                EXPECT_EQ(again.controls[action][player], first.controls[action][player]);
            }
        }
        EXPECT_EQ(again.music_volume, first.music_volume);
        EXPECT_EQ(again.effect_volume, first.effect_volume);
    }

    // A sound file keeps the lines the game does not know.
    std::ofstream(path, std::ios::binary) << "# mine\n[other]\nx = 1\n[keys]\nfire1 = 1001\n";
    Settings mine = start_up_with(path);
    save_settings(mine, path);
    std::ifstream in(path);
    std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(kept.find("[other]\nx = 1\n"), std::string::npos) << kept;
    EXPECT_EQ(start_up_with(path).controls[action_fire][0], 1001);
    set_uformat(format);
    std::remove(path.c_str());
    std::remove(folder);
}

class ControlCodes : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        for (int i = 0; i < KEY_MAX; ++i) {
            key[i] = 0;
        }
        num_joysticks = 0;
        joy[0] = JOYSTICK_INFO{};
        joy[1] = JOYSTICK_INFO{};
    }
};

TEST_F(ControlCodes, Keyboard) {
    key[KEY_S] = 1;
    EXPECT_TRUE(control_active(KEY_S));
    EXPECT_FALSE(control_active(KEY_A));
}

TEST_F(ControlCodes, JoystickButtonsAndDirections) {
    num_joysticks = 2;
    joy[1].num_buttons = 4;
    joy[1].button[3].b = 1;
    joy[1].num_sticks = 2;
    joy[1].stick[1].num_axis = 2;
    joy[1].stick[1].axis[1].d1 = 1; // negative direction
    joy[1].stick[1].axis[0].d2 = 1; // positive direction
    EXPECT_TRUE(control_active(2003));
    EXPECT_FALSE(control_active(2002));
    EXPECT_TRUE(control_active(2000 + 100 + 10 + 1));
    EXPECT_FALSE(control_active(2000 + 200 + 10 + 1));
    EXPECT_TRUE(control_active(2000 + 200 + 10 + 0));
    EXPECT_FALSE(control_active(1003)); // joystick 0 has no buttons
}

TEST_F(ControlCodes, CodesNamingNothingAreNeverActive) {
    num_joysticks = 1;
    joy[0].num_buttons = 2;
    joy[0].button[1].b = 1;
    joy[0].num_sticks = 1;
    joy[0].stick[0].num_axis = 2;
    joy[0].stick[0].axis[0].d1 = 1;
    const int codes[] = {-1,
                         -1000,
                         KEY_MAX,
                         999,
                         1002, // button beyond the joystick's count
                         1099, // button beyond any array
                         1120, // stick 2 does not exist
                         1105, // axis 5 of stick 0 does not exist
                         1300,
                         1999, // no such input kind
                         3001, // joystick 2 not installed
                         (MAX_JOYSTICKS + 1) * 1000 + 1,
                         2147483647};
    for (int code : codes) {
        EXPECT_FALSE(control_active(code)) << code;
    }
    EXPECT_TRUE(control_active(1001));
    EXPECT_TRUE(control_active(1100));
}
} // namespace
