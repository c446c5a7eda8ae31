#include "screens/results.h"

#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/random.h"
#include "core/text_format.h"
#include "core/waiting.h"
#include "core/zorbo_objects.h"
#include "match/message_box.h"
#include "startup/text_table.h"

#include <algorithm>
#include <allegro.h>
#include <cstdlib>

namespace {
constexpr std::size_t remark_buffer = 80;
constexpr int marker_y = 340;

struct RemarkChoice {
    int text_id;
    bool about_winner; // else about the loser
};

constexpr RemarkChoice by_two[] = {{28, false}, {29, true}, {30, true}, {31, true}};
constexpr RemarkChoice by_three[] = {{32, true},  {33, true}, {34, true},
                                     {35, false}, {36, true}, {37, false}};
constexpr RemarkChoice by_other[] = {{23, true}, {24, true}, {25, true}, {26, true}, {27, false}};

template <std::size_t N>
RemarkChoice pick(const RemarkChoice (&choices)[N]) {
    return choices[zorbo_rand() % static_cast<int>(N)];
}

void draw_markers(int choice) {
    draw_rle_sprite(surface, zorbo_object<RLE_SPRITE>(obj_menu_marker_left), 200 + 120 * choice,
                    marker_y);
    draw_rle_sprite(surface, zorbo_object<RLE_SPRITE>(obj_menu_marker_right), 300 + 120 * choice,
                    marker_y);
}

void erase_markers(int choice, int colour) {
    for (int x : {200 + 120 * choice, 300 + 120 * choice}) {
        rectfill(surface, x, marker_y, x + 19, marker_y + 19, colour);
    }
}

void draw_remark_box(int t0, int t1) {
    std::string remark = results_remark(t0, t1);
    int w1 = text_length(game_font, remark.c_str());
    int colour = zorbo_rand() % 100;
    rectfill(surface, 321 - (w1 / 2 + 20), 160, w1 / 2 + 339, 240, colour);
    rect(surface, 321 - (w1 / 2 + 20), 160, w1 / 2 + 339, 240, 254);
    shadowed_text(remark.c_str(), 320, 180);
    shadowed_text(std::to_string(t0).c_str(), 260, 210);
    shadowed_text(std::to_string(t1).c_str(), 380, 210);
}

// Returns the box's colour, which the markers are erased with.
int draw_question_box(const std::string& label) {
    std::string question = format_text(text(38), label, remark_buffer);
    int half = std::max(130, text_length(game_font, question.c_str()) / 2 + 20);
    int colour = zorbo_rand() % 100;
    rectfill(surface, 321 - half, 280, half + 319, 370, colour);
    rect(surface, 321 - half, 280, half + 319, 370, 254);
    shadowed_text(question.c_str(), 320, 300);
    shadowed_text(text(39).c_str(), 260, 340);
    shadowed_text(text(40).c_str(), 380, 340);
    return colour;
}
} // namespace

std::string results_remark(int t0, int t1) {
    int winner = t0 == t1 ? 0 : t0 > t1 ? 1 : 2;
    int loser = 3 - winner;
    int difference = std::abs(t0 - t1);
    if (difference == 0) {
        return format_text(text(22), winner, remark_buffer);
    }
    RemarkChoice choice = difference == 2   ? pick(by_two)
                          : difference == 3 ? pick(by_three)
                                            : pick(by_other);
    return format_text(text(choice.text_id), choice.about_winner ? winner : loser, remark_buffer);
}

void ResultFigures::step() {
    static constexpr int cheer1[4] = {obj_p1_cheer, obj_p1_cheer + 1, obj_p1_cheer,
                                      obj_p1_cheer + 2};
    static constexpr int cheer2[4] = {obj_p2_cheer, obj_p2_cheer + 1, obj_p2_cheer,
                                      obj_p2_cheer + 2};
    if (winner == 2) {
        // Three frames of disappointment, then head down for good.
        left_frame = a < 3 ? obj_p1_sulk : obj_p1_sulk + 1;
        a = std::min(a + 1, 3);
    } else {
        left_frame = cheer1[a];
        a = (a + 1) % 4;
    }
    if (winner == 1) {
        // Four frames of the same face, then two alternating for good.
        right_frame = b < 4 ? obj_p2_sulk : obj_p2_sulk + 1 + (b - 4);
        b = b < 5 ? b + 1 : 4;
    } else {
        right_frame = cheer2[b];
        b = (b + 1) % 4;
    }
}

int show_results(int t0, int t1, const std::string& label) {
    draw_remark_box(t0, t1);
    int box_colour = draw_question_box(label);
    clear_keybuf();
    int choice = 0;
    draw_markers(choice);

    BITMAP* background = create_bitmap(240, 80);
    BITMAP* work = create_bitmap(240, 80);
    blit(surface, background, 200, 80, 0, 0, 240, 80);
    ResultFigures figures;
    figures.winner = t0 == t1 ? 0 : t0 > t1 ? 1 : 2;
    start_ticks(30);
    frame_counter = 11;
    bool ended = false;
    while (!ended) {
        if (frame_counter.load() > 10) {
            frame_counter = 0;
            figures.step();
            blit(background, work, 0, 0, 0, 0, 240, 80);
            draw_rle_sprite(work, zorbo_object<RLE_SPRITE>(figures.left_frame), 10, 0);
            draw_rle_sprite(work, zorbo_object<RLE_SPRITE>(figures.right_frame), 160, 0);
            blit(work, surface, 0, 0, 200, 80, 240, 80);
        }
        if (keypressed()) {
            erase_markers(choice, box_colour);
            int scancode = readkey() >> 8;
            if (scancode == KEY_ENTER || scancode == KEY_SPACE || scancode == KEY_ENTER_PAD) {
                ended = true;
            } else if (scancode == KEY_LEFT || scancode == KEY_RIGHT) {
                choice = 1 - choice;
            }
            draw_markers(choice);
        } else if (close_requested()) {
            choice = 1;
            ended = true;
        } else {
            wait_a_moment();
        }
    }
    stop_ticks();
    destroy_bitmap(background);
    destroy_bitmap(work);
    return 1 - choice;
}
