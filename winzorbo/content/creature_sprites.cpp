#include "content/creature_sprites.h"

#include "content/interface_colours.h"
#include "content/painter.h"
#include "content/shapes.h"

#include <allegro.h>
#include <cmath>
#include <string>

namespace {
BITMAP* outlined(BITMAP* bitmap) {
    outline_shape(bitmap, c_black);
    return bitmap;
}

// A round fish facing right (mirrored for left); tail swings with phase.
BITMAP* swimmer(double tail, bool facing_left, bool turning) {
    return outlined(render_shape(20, 20, [&](double x, double y) {
        double fx = facing_left ? 20 - x : x;
        if (turning) {
            if (in_ellipse(x, y, 10, 10, 4.2, 6.0)) {
                if (in_circle(x, y, 8, 8, 1.2) || in_circle(x, y, 12, 8, 1.2)) {
                    return c_black;
                }
                return in_ellipse(x, y, 10, 12.5, 2, 1.2) ? c_p2_dark : c_pink;
            }
            return in_triangle(x, y, 10, 3, 7, 5, 13, 5) ? c_cyan : 0;
        }
        if (in_ellipse(fx, y, 11.5, 10, 6.5, 5.0)) {
            if (in_circle(fx, y, 14.5, 8.5, 1.5)) {
                return in_circle(fx, y, 14.9, 8.3, 0.7) ? c_black : c_white;
            }
            if (std::fmod(fx + 0.5 * y, 4.0) < 1.0 && fx < 12) {
                return c_purple;
            }
            return y < 9 ? c_pink : c_purple;
        }
        double tip = 10 + tail * 4;
        if (in_triangle(fx, y, 6, 10, 1, tip - 4, 1, tip + 4)) {
            return c_cyan;
        }
        if (in_triangle(fx, y, 9, 5.6, 13, 5.6, 10, 2.5 + tail)) {
            return c_cyan_dark;
        }
        return 0;
    }));
}

struct HopperPose {
    double squash; // body height factor
    double lift;   // how far the body is raised
    double look;   // eye offset
    bool legs_out;
};

BITMAP* hopper(const HopperPose& pose) {
    return outlined(render_shape(20, 20, [&](double x, double y) {
        double cy = 13 - pose.lift;
        double ry = 5.0 * pose.squash;
        for (double ex : {6.5, 13.5}) {
            if (in_circle(x, y, ex, cy - ry + 0.5, 2.6)) {
                return in_circle(x, y, ex + pose.look, cy - ry + 0.5, 1.1) ? c_black : c_white;
            }
        }
        if (in_ellipse(x, y, 10, cy, 7.5, ry)) {
            if (in_ellipse(x, y, 10, cy + ry * 0.45, 4.5, ry * 0.45)) {
                return c_cream;
            }
            return y < cy - ry * 0.3 ? c_green_light : c_green;
        }
        if (pose.legs_out) {
            if (in_capsule(x, y, 4, cy + 2, 1.5, 19, 1.2) ||
                in_capsule(x, y, 16, cy + 2, 18.5, 19, 1.2)) {
                return c_green_dark;
            }
        } else if (in_ellipse(x, y, 4, 18, 3.2, 1.6) || in_ellipse(x, y, 16, 18, 3.2, 1.6)) {
            return c_green_dark;
        }
        return 0;
    }));
}

// Bombs are 28 wide: the game places them four pixels left of their cell and
// tests the ground under their middle.
BITMAP* bomb_frame(int frame) {
    return outlined(render_shape(28, 16, [&](double x, double y) {
        if (frame == 0) {
            if (in_capsule(x, y, 14, 4, 19, 1, 0.7)) {
                return c_brown;
            }
            if (in_circle(x, y, 19.5, 1.0, 1.3)) {
                return c_shot;
            }
            double angle = std::atan2(y - 9.5, x - 14);
            if (in_ellipse(x, y, 14, 9.5, 8.5 + 2.5 * (std::cos(angle * 6) > 0.8), 6)) {
                if (in_circle(x, y, 11, 7, 1.6)) {
                    return c_white;
                }
                if (in_circle(x, y, 12, 8, 3.5)) {
                    return c_grey_light;
                }
                return (x - 14) + (y - 9.5) < 2 ? c_grey : c_grey_dark;
            }
            return 0;
        }
        double angle = std::atan2(y - 9, x - 14);
        double d = std::hypot((x - 14) / 1.6, y - 9);
        if (frame == 1) {
            double reach = 6.5 + 2.2 * std::sin(angle * 7);
            if (d < reach) {
                return d < 2.8 ? c_white : (d < 4.6 ? c_shot : c_flame);
            }
            return 0;
        }
        // Scorch and drifting smoke after the blast.
        if (in_ellipse(x, y, 14, 14.5, 9, 1.5)) {
            return c_black;
        }
        if (in_circle(x, y, 10, 9, 3) || in_circle(x, y, 17, 7, 3.5)) {
            return c_grey;
        }
        return 0;
    }));
}

// The carrier: a broad crab whose flat shell carries up to two rockets side
// by side (rockets sit on rows 0..19, the shell starts below them).
BITMAP* carrier(bool facing_left, int pose) {
    return outlined(render_shape(40, 36, [&](double x, double y) {
        double fx = facing_left ? 40 - x : x;
        double rise = pose == 3 ? -2 : 0; // jumping
        // Legs: two pairs, alternating between walking frames.
        for (int leg = 0; leg < 4; ++leg) {
            double hip = 7 + leg * 8.5;
            double swing =
                pose == 1 ? (leg % 2 ? 2.5 : -2.5) : (pose == 0 ? (leg % 2 ? -2.5 : 2.5) : 0);
            double foot_y = pose == 3 ? 33 : 35;
            if (in_capsule(fx, y, hip, 28 + rise, hip + swing, foot_y, 1.4)) {
                return c_brown_dark;
            }
        }
        // Shell.
        if (in_ellipse(fx, y, 20, 24 + rise, 17, 7) && y >= 19 + rise) {
            if (y < 20.5 + rise) {
                return c_skin;
            }
            double stripe = std::fmod(fx, 8.0);
            return stripe < 1.2 ? c_brown_dark : (y < 23 + rise ? c_gold : c_brown);
        }
        // Head with eye stalks at the front.
        if (in_ellipse(fx, y, 36, 24 + rise, 3.5, 4)) {
            return c_flame;
        }
        if (in_capsule(fx, y, 35, 21 + rise, 37, 16 + rise, 0.7)) {
            return c_flame;
        }
        if (in_circle(fx, y, 37, 15 + rise, 1.8)) {
            bool resting = pose == 2;
            if (resting && y > 15 + rise) {
                return c_flame;
            }
            return in_circle(fx, y, 37.6, 15 + rise, 0.8) ? c_black : c_white;
        }
        return 0;
    }));
}
} // namespace

void draw_swimmers(SpriteSheet& sheet) {
    const double tails[3] = {-0.6, 0.0, 0.6};
    for (int i = 0; i < 3; ++i) {
        sheet.add("SWIMMER_LEFT" + std::to_string(i + 1), swimmer(tails[i], true, false));
    }
    sheet.add("SWIMMER_TURN", swimmer(0, false, true));
    for (int i = 0; i < 3; ++i) {
        sheet.add("SWIMMER_RIGHT" + std::to_string(i + 1), swimmer(tails[i], false, false));
    }
}

void draw_hoppers(SpriteSheet& sheet) {
    const HopperPose poses[7] = {
        {1.0, 0, 0, false},     // sitting
        {0.85, 0, -0.9, false}, // choosing
        {1.0, 0, 0.9, false},   // looking around
        {1.25, 3, 0, true},     // jumping
        {1.1, 1, 0, true},      // falling
        {0.8, 0, 0, false},     // spare poses
        {1.15, 1, 0.5, false},
    };
    for (int i = 0; i < 7; ++i) {
        sheet.add("HOPPER" + std::to_string(i + 1), hopper(poses[i]));
    }
}

void draw_bombs(SpriteSheet& sheet) {
    sheet.add("BOMB", bomb_frame(0));
    sheet.add("BOMB_BLAST", bomb_frame(1));
    sheet.add("BOMB_AFTER", bomb_frame(2));
}

void draw_carriers(SpriteSheet& sheet) {
    // Walking right (two steps), resting, jumping; then the same facing left.
    for (int left = 0; left < 2; ++left) {
        for (int pose = 0; pose < 4; ++pose) {
            sheet.add("CARRIER" + std::to_string(left * 4 + pose + 1), carrier(left != 0, pose));
        }
    }
}
