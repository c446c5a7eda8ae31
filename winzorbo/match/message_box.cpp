#include "match/message_box.h"

#include "core/game_state.h"
#include "core/random.h"
#include "core/waiting.h"

#include <algorithm>
#include <allegro.h>

namespace {
bool confirm_down() {
    return key[KEY_SPACE] || key[KEY_ENTER] || key[KEY_ENTER_PAD];
}
} // namespace

void shadowed_text(const char* line, int x, int y) {
    textout_centre_ex(surface, game_font, line, x + 1, y, 239, -1);
    textout_centre_ex(surface, game_font, line, x + 1, y + 1, 239, -1);
    textout_centre_ex(surface, game_font, line, x, y, 254, -1);
}

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
    shadowed_text(line1, 320, 180);
    if (line2) {
        shadowed_text(line2, 320, 200);
    }
    while (!confirm_down() && !close_requested()) {
        wait_a_moment();
    }
    while (confirm_down() && !close_requested()) {
        wait_a_moment();
    }
    if (saved) {
        blit(saved, surface, 0, 0, 0, 0, 640, 480);
        destroy_bitmap(saved);
    }
}
