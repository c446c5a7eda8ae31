#include "content/figure_sprites.h"

#include "content/interface_colours.h"
#include "content/painter.h"
#include "content/shapes.h"

#include <allegro.h>
#include <cmath>
#include <string>

namespace {
struct Pose {
    double left_hand_x, left_hand_y; // relative to the body's centre
    double right_hand_x, right_hand_y;
    double lift;  // jump height
    double droop; // head lowered and forward
    bool smile;
    bool sitting;
    int tears; // 0 none, 1 or 2: which drops show
};

struct Suit {
    int main;
    int light;
    int dark;
};

constexpr Suit suits[2] = {{c_p1, c_cyan, c_p1_dark}, {c_p2, c_p2_light, c_p2_dark}};

BITMAP* figure(const Suit& suit, const Pose& pose) {
    BITMAP* bitmap = render_shape(64, 80, [&](double x, double y) {
        double by = (pose.sitting ? 52 : 44) - pose.lift; // body centre
        double bx = 32;
        double hx = bx + pose.droop * 0.6;
        double hy = by - 19 + pose.droop;
        // Helmet and face.
        if (in_circle(x, y, hx, hy, 10)) {
            if (in_ellipse(x, y, hx, hy + 1, 7, 6)) {
                double eye_y = hy - 0.5 + pose.droop * 0.15;
                if (in_circle(x, y, hx - 2.8, eye_y, 1.1) ||
                    in_circle(x, y, hx + 2.8, eye_y, 1.1)) {
                    return c_black;
                }
                double my = hy + 3.2;
                double curve = pose.smile ? 1 : -1;
                double mouth = my + curve * (1.2 - 0.12 * (x - hx) * (x - hx));
                if (std::fabs(x - hx) < 3 && std::fabs(y - mouth) < 0.7) {
                    return c_p2_dark;
                }
                if (pose.tears &&
                    (in_circle(x, y, hx - 3.2, eye_y + 2 + 2.5 * pose.tears, 0.9) ||
                     in_circle(x, y, hx + 3.2, eye_y + 4.5 - 2.5 * (pose.tears - 1), 0.9))) {
                    return c_cyan;
                }
                return c_skin;
            }
            return x < hx - 4 && y < hy - 4 ? c_white : c_metal_light;
        }
        // Arms from the shoulders to the hands, gloves at the ends.
        double sy = by - 8;
        double lx = bx + pose.left_hand_x, ly = by + pose.left_hand_y;
        double rx = bx + pose.right_hand_x, ry = by + pose.right_hand_y;
        if (in_circle(x, y, lx, ly, 3.2) || in_circle(x, y, rx, ry, 3.2)) {
            return c_metal_light;
        }
        if (in_capsule(x, y, bx - 8, sy, lx, ly, 2.8) ||
            in_capsule(x, y, bx + 8, sy, rx, ry, 2.8)) {
            return suit.main;
        }
        // Torso with a belt and badge.
        if (in_ellipse(x, y, bx, by, 10, 12)) {
            if (std::fabs(y - (by + 5)) < 1.3) {
                return c_metal_dark;
            }
            if (in_circle(x, y, bx + 4, by - 3, 2)) {
                return c_gold;
            }
            return x < bx - 5 ? suit.light : (x > bx + 6 ? suit.dark : suit.main);
        }
        // Legs and boots.
        double hip = by + 9;
        double foot = pose.sitting ? hip + 4 : 76 - pose.lift;
        double spread = pose.sitting ? 14 : 6;
        for (double side : {-1.0, 1.0}) {
            double fx = bx + side * spread;
            if (in_ellipse(x, y, fx + side * 1.5, foot, 4.2, 2.4)) {
                return c_black;
            }
            if (in_capsule(x, y, bx + side * 4, hip, fx, foot - 1, 3.2)) {
                return suit.dark;
            }
        }
        return 0;
    });
    outline_shape(bitmap, c_black);
    return bitmap;
}

constexpr Pose cheer_a{-18, -26, 18, -26, 0, 0, true, false, 0};
constexpr Pose cheer_b{-14, -30, 14, -30, 5, 0, true, false, 0};
constexpr Pose cheer_c{-20, -20, 12, -32, 2, 0, true, false, 0};
constexpr Pose sulk_a{-9, 8, 9, 8, 0, 6, false, false, 0};
constexpr Pose sulk_b{-12, 2, 12, 2, 0, 5, false, true, 1};
constexpr Pose sulk_c{-12, 2, 12, 2, 0, 5, false, true, 2};
} // namespace

void draw_player2_figures(SpriteSheet& sheet) {
    const Suit& suit = suits[1];
    sheet.add("P2_CHEER1", figure(suit, cheer_a));
    sheet.add("P2_CHEER2", figure(suit, cheer_b));
    sheet.add("P2_CHEER3", figure(suit, cheer_c));
    sheet.add("P2_SULK1", figure(suit, sulk_a));
    sheet.add("P2_SULK2", figure(suit, sulk_b));
    sheet.add("P2_SULK3", figure(suit, sulk_c));
}

void draw_player1_figures(SpriteSheet& sheet) {
    const Suit& suit = suits[0];
    sheet.add("P1_SULK1", figure(suit, sulk_a));
    sheet.add("P1_SULK2", figure(suit, sulk_b));
    sheet.add("P1_CHEER1", figure(suit, cheer_a));
    sheet.add("P1_CHEER2", figure(suit, cheer_b));
    sheet.add("P1_CHEER3", figure(suit, cheer_c));
}
