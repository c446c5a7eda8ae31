#include "menus/game_menus.h"

#include "core/game_state.h"
#include "core/waiting.h"
#include "core/window_title.h"
#include "core/zorbo_objects.h"
#include "menus/control_capture.h"
#include "menus/playfield_menu.h"
#include "menus/volume_panel.h"
#include "rocket/game_style.h"
#include "screens/credits.h"
#include "sound/sound_layer.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <allegro.h>

Menu main_menu;
Menu play_menu;
Menu playfield_menu;
Menu options_menu;
Menu language_menu;
bool quit_chosen = false;
Song* menu_song = nullptr;

void go_back(int) {
    go_to_menu(current_menu->parent);
}

namespace {
void quit(int) {
    quit_chosen = true;
}

void open_play_menu(int) {
    go_to_menu(&play_menu);
}

void open_options_menu(int) {
    go_to_menu(&options_menu);
}

void open_language_menu(int) {
    go_to_menu(&language_menu);
}

void show_credits(int) {
    run_credits();
}

void open_volume_panel(int) {
    run_volume_panel();
}

void capture_controls(int) {
    capture_all_controls();
}

// Items 0..2: Bouncy, Lenient, Strict.
void choose_style(int index) {
    game_style = static_cast<GameStyle>(2 - index);
    build_playfield_menu();
    go_to_menu(&playfield_menu);
}

void choose_language(int index) {
    settings.language = index == 0 ? language_swedish : language_english;
    assign_menu_texts();
    go_to_menu(current_menu->parent);
}

struct FixedItem {
    int text_id;
    MenuAction action;
};

// The menus that never change but for their language.
struct FixedMenu {
    Menu* menu;
    Menu* parent;
    int title_id;
    int item_count;
    FixedItem items[4];
};

const FixedMenu fixed_menus[] = {
    {&main_menu,
     nullptr,
     0,
     4,
     {{1, open_play_menu}, {2, open_options_menu}, {3, show_credits}, {4, quit}}},
    {&play_menu,
     &main_menu,
     41,
     4,
     {{44, choose_style}, {43, choose_style}, {42, choose_style}, {5, go_back}}},
    {&options_menu,
     &main_menu,
     2,
     4,
     {{6, open_language_menu}, {9, open_volume_panel}, {12, capture_controls}, {5, go_back}}},
    {&language_menu, &options_menu, 6, 2, {{7, choose_language}, {8, choose_language}}},
};
} // namespace

void set_up_menus() {
    for (const FixedMenu& fixed : fixed_menus) {
        fixed.menu->parent = fixed.parent;
        fixed.menu->count = static_cast<std::int8_t>(fixed.item_count);
        for (int i = 0; i < fixed.item_count; ++i) {
            fixed.menu->items[i].action = fixed.items[i].action;
        }
    }
    playfield_menu.parent = &main_menu;
}

void assign_menu_texts() {
    show_window_title(text(0));
    for (const FixedMenu& fixed : fixed_menus) {
        fixed.menu->title = text(fixed.title_id);
        for (int i = 0; i < fixed.item_count; ++i) {
            set_item_text(fixed.menu->items[i], text(fixed.items[i].text_id));
        }
    }
}

void choose_first_language() {
    settings.language = language_swedish;
    go_to_menu(&language_menu);
    assign_menu_texts();
    run_menu(false);
}

void play_menu_music() {
    song_play(menu_song);
}

void stop_menu_music() {
    song_stop(menu_song);
}

void run_main_menu_loop() {
    go_to_menu(&main_menu);
    const DATAFILE& music = zorbo_data[obj_music_menu];
    menu_song = song_load_memory(music.dat, music.size);
    song_set_master_volume(menu_song, settings.music_volume);
    song_play(menu_song);
    assign_menu_texts();
    quit_chosen = false;
    while (!quit_chosen) {
        run_menu(true);
        if (close_requested()) {
            quit_chosen = true;
        }
    }
    song_free(menu_song);
    menu_song = nullptr;
}
