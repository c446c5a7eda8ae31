#pragma once

#include "menus/menu.h"

struct Song;

// The five menus between the intro and shut-down.
extern Menu main_menu;
extern Menu play_menu;
extern Menu playfield_menu;
extern Menu options_menu;
extern Menu language_menu;

// Set by the quit item (and by the window's close button): the main-menu
// loop ends.
extern bool quit_chosen;

// The menu music; plays under every menu.
extern Song* menu_song;

// The back item's action: the parent of the current menu.
void go_back(int index);

// Links the menus and gives every item its action; texts come with
// assign_menu_texts.
void set_up_menus();

// The window title and every fixed title and item text in the current
// language.
void assign_menu_texts();

// The first start: the two languages, Escape does nothing; the item chosen
// sets the language.
void choose_first_language();

// From the intro to the quit item: the main menu, its music and every menu
// under it.
void run_main_menu_loop();

void play_menu_music();
void stop_menu_music();
