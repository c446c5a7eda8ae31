#include "core/game_state.h"
#include "core/waiting.h"
#include "core/window_title.h"
#include "core/zorbo_objects.h"
#include "menus/control_capture.h"
#include "menus/game_menus.h"
#include "menus/menu.h"
#include "menus/volume_panel.h"
#include "scripted_player.h"
#include "sound/sound_layer.h"

#include <algorithm>
#include <allegro.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// A menu of count items without actions, texts of growing width.
Menu plain_menu(int count) {
    Menu menu;
    menu.title = "Test";
    menu.count = static_cast<std::int8_t>(count);
    for (int i = 0; i < count; ++i) {
        set_item_text(menu.items[i], std::string(static_cast<std::size_t>(i % 12 + 1), 'W'));
    }
    return menu;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_up_menus();
        assign_menu_texts();
        for (Menu* menu :
             {&main_menu, &play_menu, &playfield_menu, &options_menu, &language_menu}) {
            menu->remembered = 0;
        }
        current_menu = nullptr;
    }
    void enter(Menu& menu, int chosen) {
        current_menu = &menu;
        selection = static_cast<std::int8_t>(chosen);
    }
    MarkedTexts marked;
    ScriptedPlayer player;
};

TEST_F(MenuTest, KeysMoveTheSelectionAndEnterReturnsIt) {
    struct Case {
        const char* label;
        int start;
        std::vector<int> keys;
        int chosen;
    } cases[] = {
        {"Up on the first wraps to the last", 0, {KEY_UP}, 4},
        {"Down on the last wraps to the first", 4, {KEY_DOWN}, 0},
        {"Down twice", 1, {KEY_DOWN, KEY_DOWN}, 3},
        {"End, then Up", 0, {KEY_END, KEY_UP}, 3},
        {"Home", 3, {KEY_HOME}, 0},
        {"other keys do nothing", 2, {KEY_A, KEY_F1, KEY_LEFT}, 2},
    };
    for (const Case& c : cases) {
        Menu menu = plain_menu(5);
        enter(menu, c.start);
        for (int k : c.keys) {
            player.type({k});
        }
        player.type({KEY_ENTER});
        EXPECT_EQ(run_menu(true), c.chosen) << c.label;
        EXPECT_EQ(selection, c.chosen) << c.label;
    }
    EXPECT_FALSE(player.ran_out);
}

TEST_F(MenuTest, SpaceAndKeypadEnterChooseToo) {
    for (int confirm : {KEY_SPACE, KEY_ENTER_PAD}) {
        Menu menu = plain_menu(3);
        enter(menu, 0);
        player.type({KEY_DOWN, confirm});
        EXPECT_EQ(run_menu(true), 1);
    }
}

TEST_F(MenuTest, ThirtyItemsScrollWithTheSelection) {
    struct Case {
        int chosen;
        int first;
        bool up;
        bool down;
    } cases[] = {{0, 0, false, true},   {7, 0, false, true},  {8, 0, false, true},
                 {9, 1, true, true},    {20, 12, true, true}, {21, 13, true, false},
                 {22, 13, true, false}, {29, 13, true, false}};
    auto* up_arrow = zorbo_object<RLE_SPRITE>(obj_arrow_up);
    for (const Case& c : cases) {
        EXPECT_EQ(first_visible_item(30, c.chosen), c.first) << c.chosen;
        Menu menu = plain_menu(30);
        enter(menu, c.chosen);
        player.type({KEY_ENTER});
        ASSERT_EQ(run_menu(true), c.chosen);
        // What the player saw last: the arrows, and line k showing item first + k.
        BITMAP* arrows = create_bitmap(640, 480);
        clear_to_color(arrows, 0);
        draw_rle_sprite(arrows, up_arrow, 310, 60);
        int arrow_pixels = 0;
        for (int colour = 224; colour < 256; ++colour) {
            arrow_pixels += count_colour(arrows, 310, 60, 20, 20, colour);
        }
        destroy_bitmap(arrows);
        ASSERT_GT(arrow_pixels, 0);
        BITMAP* title = zorbo_object<BITMAP>(obj_title);
        auto differs_from_title = [&](int x, int y) {
            int changed = 0;
            for (int row = y; row < y + 20; ++row) {
                for (int column = x; column < x + 20; ++column) {
                    changed += getpixel(surface, column, row) != getpixel(title, column, row - 40);
                }
            }
            return changed > 0;
        };
        EXPECT_EQ(differs_from_title(310, 60), c.up) << c.chosen;
        EXPECT_EQ(differs_from_title(310, 420), c.down) << c.chosen;
        for (int line = 0; line < visible_menu_items; ++line) {
            int item = c.first + line;
            int y = 80 + 20 * line;
            int drawn = count_colour(surface, 0, y, 640, 20, 252);
            BITMAP* expected = create_bitmap(640, 20);
            clear_to_color(expected, 0);
            textout_centre_ex(expected, game_font, menu.items[item].text.c_str(), 320, 0, 252, -1);
            int wanted = count_colour(expected, 0, 0, 640, 20, 252);
            destroy_bitmap(expected);
            if (item != c.chosen) { // the selected line also has the markers
                EXPECT_EQ(drawn, wanted) << "selection " << c.chosen << " line " << line;
            }
        }
    }
}

TEST_F(MenuTest, EscapeInTheMainMenuMovesToQuit) {
    enter(main_menu, 0);
    player.type({KEY_ESC});
    player.type({KEY_ENTER});
    quit_chosen = false;
    EXPECT_EQ(run_menu(true), 1);
    EXPECT_TRUE(quit_chosen);
    EXPECT_EQ(current_menu, &main_menu);
}

TEST_F(MenuTest, EscapeGoesBackToTheParentAndBackRemembersTheSelection) {
    enter(main_menu, 1);
    player.type({KEY_ENTER}); // options
    EXPECT_EQ(run_menu(true), 1);
    ASSERT_EQ(current_menu, &options_menu);
    player.type({KEY_DOWN, KEY_ESC});
    EXPECT_EQ(run_menu(true), 0);
    EXPECT_EQ(current_menu, &main_menu);
    EXPECT_EQ(selection, 1);
    player.type({KEY_ENTER}); // options again: the selection it had
    run_menu(true);
    EXPECT_EQ(current_menu, &options_menu);
    EXPECT_EQ(selection, 1);
    player.type({KEY_END, KEY_ENTER}); // back
    run_menu(true);
    EXPECT_EQ(current_menu, &main_menu);
}

TEST_F(MenuTest, WithoutEscapeTheFirstStartMustChooseALanguage) {
    settings.language = language_english;
    player.type({KEY_ESC, KEY_ESC, KEY_DOWN, KEY_ENTER});
    choose_first_language();
    EXPECT_EQ(settings.language, language_english);
    EXPECT_FALSE(player.ran_out);
    // The menu was shown in Swedish.
    EXPECT_EQ(language_menu.items[0].text, "E7");
}

TEST_F(MenuTest, ChangingTheLanguageRenamesEveryMenuAndTheWindow) {
    settings.language = language_swedish;
    assign_menu_texts();
    EXPECT_EQ(window_title(), "S0");
    enter(options_menu, 0);
    player.type({KEY_ENTER}); // the language menu
    run_menu(true);
    ASSERT_EQ(current_menu, &language_menu);
    EXPECT_EQ(language_menu.title, "S6");
    player.type({KEY_DOWN, KEY_ENTER}); // English
    run_menu(true);
    EXPECT_EQ(settings.language, language_english);
    EXPECT_EQ(current_menu, &options_menu);
    EXPECT_EQ(window_title(), "E0");
    struct Expected {
        Menu* menu;
        std::string title;
        std::vector<std::string> items;
    } expected[] = {
        {&main_menu, "E0", {"E1", "E2", "E3", "E4"}},
        {&play_menu, "E41", {"E44", "E43", "E42", "E5"}},
        {&options_menu, "E2", {"E6", "E9", "E12", "E5"}},
        {&language_menu, "E6", {"E7", "E8"}},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(e.menu->title, e.title);
        ASSERT_EQ(e.menu->count, static_cast<int>(e.items.size()));
        for (std::size_t i = 0; i < e.items.size(); ++i) {
            EXPECT_EQ(e.menu->items[i].text, e.items[i]);
            EXPECT_EQ(e.menu->items[i].half_width, text_length(game_font, e.items[i].c_str()) / 2);
        }
    }
}

TEST_F(MenuTest, TheCloseButtonEndsTheMainMenuLoop) {
    player.type({KEY_DOWN, KEY_ENTER, KEY_DOWN}); // into the options, then the window closes
    run_main_menu_loop();
    EXPECT_TRUE(player.ran_out);
    EXPECT_TRUE(quit_chosen);
    EXPECT_EQ(menu_song, nullptr);
}

TEST_F(MenuTest, QuitEndsTheMainMenuLoopWithTheMenuMusic) {
    std::vector<std::string> log;
    sound_record(&log);
    player.type({KEY_UP, KEY_ENTER});
    run_main_menu_loop();
    sound_record(nullptr);
    EXPECT_FALSE(player.ran_out);
    std::vector<std::string> music;
    for (const std::string& line : log) {
        if (line.rfind("song", 0) == 0) {
            music.push_back(line.rfind("song_load", 0) == 0 ? "song_load" : line);
        }
    }
    std::vector<std::string> expected = {"song_load",
                                         "song_volume " + std::to_string(settings.music_volume),
                                         "song_play", "song_free", "song_stop"};
    EXPECT_EQ(music, expected);
}

TEST_F(MenuTest, CaptureAsksForEveryControlAndTakesEscapeAsAKey) {
    BITMAP* before = create_bitmap(640, 480);
    clear_to_color(surface, 7);
    blit(surface, before, 0, 0, 0, 0, 640, 480);
    player.type({KEY_ESC, KEY_Z, KEY_X, KEY_C, KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN});
    int boxes_seen = 0;
    player.on_wait = [&] { boxes_seen += getpixel(surface, 320, 165) != 7; };
    capture_all_controls();
    EXPECT_EQ(settings.controls[action_left][0], 59);
    EXPECT_EQ(settings.controls[action_right][0], KEY_Z);
    EXPECT_EQ(settings.controls[action_gas][0], KEY_X);
    EXPECT_EQ(settings.controls[action_fire][0], KEY_C);
    EXPECT_EQ(settings.controls[action_left][1], KEY_LEFT);
    EXPECT_EQ(settings.controls[action_right][1], KEY_RIGHT);
    EXPECT_EQ(settings.controls[action_gas][1], KEY_UP);
    EXPECT_EQ(settings.controls[action_fire][1], KEY_DOWN);
    EXPECT_EQ(boxes_seen, 8);
    EXPECT_EQ(count_colour(surface, 0, 0, 640, 480, 7), 640 * 480); // put back
    destroy_bitmap(before);
}

TEST_F(MenuTest, CaptureBoxesShowPlayerAndPrompt) {
    player.type({KEY_Q});
    int prompt_colour_pixels = 0;
    int box_colour = -1;
    player.on_wait = [&] {
        box_colour = getpixel(surface, 320, 165);
        prompt_colour_pixels = count_colour(surface, 0, 195, 640, 20, 254);
    };
    clear_bitmap(surface);
    EXPECT_EQ(capture_control("E14 2", 2, KEY_A), KEY_Q);
    EXPECT_EQ(box_colour, 224); // player 2's colour
    EXPECT_GT(prompt_colour_pixels, 0);
}

// A joystick driver that reports whatever the test puts into joy[].
int joystick_polled() {
    return 0;
}

TEST_F(MenuTest, CaptureTakesJoystickButtonsAndDirectionsOnceLetGo) {
    static JOYSTICK_DRIVER test_joystick = {};
    test_joystick.poll = joystick_polled;
    player.close_when_out = false; // the joystick is let go after five waits
    struct Case {
        const char* label;
        int joystick, button, stick, axis;
        bool positive;
        int code;
    } cases[] = {
        {"button 1 of the first joystick", 0, 1, -1, 0, false, 1001},
        {"stick 0, axis 1, negative", 0, -1, 0, 1, false, 1101},
        {"second joystick, stick 1, axis 0, positive", 1, -1, 1, 0, true, 2210},
    };
    for (const Case& c : cases) {
        JOYSTICK_INFO saved[2] = {joy[0], joy[1]};
        joystick_driver = &test_joystick;
        num_joysticks = 2;
        for (JOYSTICK_INFO& info : {std::ref(joy[0]), std::ref(joy[1])}) {
            info.num_buttons = 2;
            info.num_sticks = 2;
            for (JOYSTICK_STICK_INFO& stick : info.stick) {
                stick.num_axis = 2;
            }
        }
        static const char* name = "Fire button";
        int* held = nullptr;
        if (c.button >= 0) {
            joy[c.joystick].button[c.button].name = name;
            held = &joy[c.joystick].button[c.button].b;
        } else {
            JOYSTICK_AXIS_INFO& axis = joy[c.joystick].stick[c.stick].axis[c.axis];
            axis.name = name;
            held = c.positive ? &axis.d2 : &axis.d1;
        }
        *held = 1;
        int name_pixels = 0;
        player.on_wait = [&] {
            name_pixels = std::max(name_pixels, count_colour(surface, 0, 258, 640, 20, 254));
            if (player.waits >= 5) {
                *held = 0; // let go
            }
        };
        player.waits = 0;
        clear_bitmap(surface);
        EXPECT_EQ(capture_control("E13 1", 1, KEY_A), c.code) << c.label;
        EXPECT_GE(player.waits, 5) << c.label; // not before it was let go
        EXPECT_GT(name_pixels, 0) << c.label;
        joystick_driver = nullptr;
        num_joysticks = 0;
        joy[0] = saved[0];
        joy[1] = saved[1];
    }
}

TEST_F(MenuTest, VolumePanelMovesTheSelectedRowInStepsOfFour) {
    settings.music_volume = 250;
    settings.effect_volume = 2;
    std::vector<std::string> log;
    sound_record(&log);
    player.type({KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_RIGHT, KEY_UP, KEY_LEFT,
                 KEY_ESC});
    run_volume_panel();
    sound_record(nullptr);
    EXPECT_EQ(settings.music_volume, 251);
    EXPECT_EQ(settings.effect_volume, 8);
    std::vector<std::string> effects;
    int previews = 0;
    for (const std::string& line : log) {
        if (line.rfind("sfx_volume", 0) == 0) {
            effects.push_back(line);
        }
        previews += line.rfind("play ", 0) == 0;
    }
    // After every key but the last; the hit sound each time the effects
    // row was drawn.
    std::vector<std::string> expected = {"sfx_volume 2", "sfx_volume 2", "sfx_volume 2",
                                         "sfx_volume 0", "sfx_volume 4", "sfx_volume 8",
                                         "sfx_volume 8", "sfx_volume 8"};
    EXPECT_EQ(effects, expected);
    EXPECT_EQ(previews, 4);
}
} // namespace
