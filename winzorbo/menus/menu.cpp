#include "menus/menu.h"

#include "core/game_state.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"
#include "startup/intro.h"

#include <algorithm>
#include <allegro.h>

Menu* current_menu = nullptr;
std::int8_t selection = 0;

namespace {
constexpr int background_colour = 239;
constexpr int title_colour = 254;
constexpr int item_colour = 252;

RLE_SPRITE* sprite(int index) {
    return zorbo_object<RLE_SPRITE>(index);
}

// The title picture with the version under it, shown on the menu palette.
BITMAP* make_menu_picture(const std::string& title) {
    BITMAP* work = create_bitmap(640, 480);
    clear_to_color(work, background_colour);
    blit(zorbo_object<BITMAP>(obj_title), work, 0, 0, 0, 40, 640, 400);
    draw_version(work);
    set_palette_range(zorbo_object<RGB>(obj_palette_menu), 0, 223, 0);
    blit(work, surface, 0, 0, 0, 0, 640, 480);
    set_palette_range(zorbo_object<RGB>(obj_palette_interface), 224, 255, 0);
    textout_centre_ex(work, game_font, title.c_str(), 320, 40, title_colour, -1);
    return work;
}

void draw_items(BITMAP* work, const Menu& menu) {
    int count = menu.count;
    int first = first_visible_item(count, selection);
    if (count > visible_menu_items) {
        if (first > 0) {
            draw_rle_sprite(work, sprite(obj_arrow_up), 310, 60);
        }
        if (first < count - visible_menu_items) {
            draw_rle_sprite(work, sprite(obj_arrow_down), 310, 420);
        }
    }
    int last = std::min(count, first + visible_menu_items);
    for (int i = first; i < last; ++i) {
        textout_centre_ex(work, game_font, menu.items[i].text.c_str(), 320, 80 + 20 * (i - first),
                          item_colour, -1);
    }
    if (selection >= 0 && selection < count) {
        int y = 20 * (selection - first + 4);
        int half = menu.items[selection].half_width;
        draw_rle_sprite(work, sprite(obj_menu_marker_left), 290 - half, y);
        draw_rle_sprite(work, sprite(obj_menu_marker_right), 330 + half, y);
    }
}

std::int8_t wrapped(int value, int count) {
    if (value < 0) {
        return static_cast<std::int8_t>(count - 1);
    }
    return static_cast<std::int8_t>(value >= count ? 0 : value);
}
} // namespace

void go_to_menu(Menu* menu) {
    if (current_menu) {
        current_menu->remembered = selection;
    }
    current_menu = menu;
    selection = menu->remembered;
}

int first_visible_item(int count, int chosen) {
    if (count <= visible_menu_items) {
        return 0;
    }
    if (chosen < 8) {
        return 0;
    }
    if (chosen > count - 9) {
        return count - visible_menu_items;
    }
    return chosen - 8;
}

void set_item_text(MenuItem& item, const std::string& text) {
    item.text = text;
    item.half_width = text_length(game_font, text.c_str()) / 2;
}

int run_menu(bool allow_escape) {
    Menu& menu = *current_menu;
    // Wrapping and End need at least one line to land on; no menu is built
    // empty, but a selection must never point below its items.
    int count = std::max<int>(menu.count, 1);
    BITMAP* work = make_menu_picture(menu.title);
    clear_keybuf();
    for (;;) {
        draw_items(work, menu);
        blit(work, surface, 0, 0, 0, 0, 640, 480);
        // Only the list area changes from one key to the next.
        blit(zorbo_object<BITMAP>(obj_title), work, 0, 20, 0, 60, 640, 380);

        int scancode = wait_for_scancode();
        if (scancode < 0) {
            destroy_bitmap(work);
            return 0;
        }
        switch (scancode) {
        case KEY_ESC:
            if (!allow_escape) {
                break;
            }
            if (menu.parent) {
                go_to_menu(menu.parent);
                destroy_bitmap(work);
                return 0;
            }
            selection = static_cast<std::int8_t>(count - 1);
            break;
        case KEY_ENTER:
        case KEY_SPACE:
        case KEY_ENTER_PAD: {
            destroy_bitmap(work);
            if (menu.count == 0) {
                return selection;
            }
            MenuAction action = menu.items[selection].action;
            if (!action) {
                return selection;
            }
            action(selection);
            return 1;
        }
        case KEY_HOME:
            selection = 0;
            break;
        case KEY_END:
            selection = static_cast<std::int8_t>(count - 1);
            break;
        case KEY_UP:
            selection = wrapped(selection - 1, count);
            break;
        case KEY_DOWN:
            selection = wrapped(selection + 1, count);
            break;
        default:
            break;
        }
    }
}
