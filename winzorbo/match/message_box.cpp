#include "match/message_box.h"

#include "core/game_state.h"
#include "core/random.h"

#include <algorithm>
#include <allegro.h>

namespace {
bool confirm_down() {
    return key[KEY_SPACE] || key[KEY_ENTER] || key[KEY_ENTER_PAD];
}

void shadowed_line(const char* line, int y) {
    textout_centre_ex(surface, game_font, line, 321, y, 239, -1);
    textout_centre_ex(surface, game_font, line, 321, y + 1, 239, -1);
    textout_centre_ex(surface, game_font, line, 320, y, 254, -1);
}
} // namespace

void message_box(const char* line1, const char* line2) {
    BITMAP* saved = create_bitmap(640, 480);
    if (saved) {
        blit(surface, saved, 0, 0, 0, 0, 640, 480);
    }
    int width = text_length(game_font, line1);
    if (line2) {
        width = std::max(width, text_length(game_font, line2));
    }
    int height = line2 ? 80 : 60;
    rectfill(surface, 321 - (width / 2 + 20), 160, width / 2 + 339, 160 + height,
             zorbo_rand() % 100);
    rect(surface, 321 - (width / 2 + 20), 160, width / 2 + 339, 160 + height, 254);
    shadowed_line(line1, 180);
    if (line2) {
        shadowed_line(line2, 200);
    }
    while (!confirm_down()) {
        rest(1);
    }
    while (confirm_down()) {
        rest(1);
    }
    if (saved) {
        blit(saved, surface, 0, 0, 0, 0, 640, 480);
        destroy_bitmap(saved);
    }
}
