#include "view/status_panel.h"

#include "core/game_state.h"
#include "core/zorbo_objects.h"
#include "match/match_state.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

#include <algorithm>
#include <allegro.h>
#include <string>

namespace {
constexpr int bar_top = 338;
constexpr int bar_bottom = 440;

// A bar of value pixels standing on y 440. Values outside what the box can
// show are held to its edges, so nothing is drawn above or below it.
void draw_bar(int left, int right, int value, int colour) {
    int shown = std::clamp(value, -2, bar_bottom - bar_top - 2);
    rectfill(surface, left, bar_top, right, bar_bottom - 2 - shown, 0);
    if (value >= 0) {
        rectfill(surface, left, bar_bottom - shown, right, bar_bottom, colour);
    }
}

RLE_SPRITE* interface_sprite(int index) {
    return zorbo_object<RLE_SPRITE>(index);
}
} // namespace

void draw_centre_column() {
    if (!surface || !playfield_data || playfield_fast < 0) {
        return;
    }
    auto* divider = static_cast<RLE_SPRITE*>(playfield_data[playfield_fast].dat);
    for (int y = 0; y <= 460; y += 20) {
        draw_rle_sprite(surface, divider, 300, y);
        draw_rle_sprite(surface, divider, 320, y);
    }
    circlefill(surface, 320, 160, 16, 235);
    if (base_count == 2) {
        draw_rle_sprite(surface, interface_sprite(obj_flag0), 302, 144);
        draw_rle_sprite(surface, interface_sprite(obj_flag1), 318, 144);
    } else if (base_count == 3) {
        draw_rle_sprite(surface, interface_sprite(obj_flag2), 312, 144);
    } else {
        draw_rle_sprite(surface, interface_sprite(obj_rocket1), 302, 149);
        draw_rle_sprite(surface, interface_sprite(obj_rocket2), 318, 152);
    }
}

void draw_status_panel() {
    if (!surface) {
        return;
    }
    const Rocket& first = rockets[0];
    const Rocket& second = rockets[1];
    draw_bar(312, 313, first.ammunition / 5, 235);
    draw_bar(326, 327, second.ammunition / 5, 235);
    draw_bar(308, 311, first.health, 231);
    draw_bar(328, 331, second.health, 225);
    rectfill(surface, 302, 200, 336, 220, 239);
    if (game_font) {
        std::string score = std::to_string(match.totals[0] + first.score) + ":" +
                            std::to_string(match.totals[1] + second.score);
        textout_centre_ex(surface, game_font, score.c_str(), 320, 200, 254, -1);
    }
}
