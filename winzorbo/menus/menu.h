#pragma once

#include <cstdint>
#include <string>

// A keyboard menu: a title over a centred list of items, two rockets
// pointing at the selected one, at most 17 lines visible with scroll arrows.
using MenuAction = void (*)(int index);

struct MenuItem {
    MenuAction action = nullptr; // none: run_menu returns the index
    std::string text;
    int half_width = 0; // of the text in the game font
};

constexpr int max_menu_items = 30;
constexpr int visible_menu_items = 17;

struct Menu {
    std::string title;
    std::int8_t count = 0;
    Menu* parent = nullptr;
    MenuItem items[max_menu_items];
    std::int8_t remembered = 0; // selection when last left
};

extern Menu* current_menu;
extern std::int8_t selection;

// Leaves the current menu (it remembers the selection) for menu.
void go_to_menu(Menu* menu);

// The first of the visible lines for the menu's count and selection.
int first_visible_item(int count, int chosen);

// Sets an item's text and its half width.
void set_item_text(MenuItem& item, const std::string& text);

// One interaction with the current menu: returns 1 after an item's action
// ran, the selected index for an item without one, 0 after Escape went back
// to the parent (and when the window is being closed).
int run_menu(bool allow_escape);
