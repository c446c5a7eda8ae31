#include "content/prop_sprites.h"

#include "content/interface_colours.h"
#include "content/painter.h"
#include "content/shapes.h"

#include <allegro.h>
#include <cmath>
#include <numbers>
#include <string>

namespace {
constexpr double pi = std::numbers::pi;

struct FlagColours {
    int cloth;
    int light;
    int dark;
};
constexpr FlagColours flag_colours[3] = {
    {c_p1, c_cyan, c_p1_dark}, {c_p2, c_p2_light, c_p2_dark}, {c_gold, c_cream, c_flame}};

BITMAP* flag(const FlagColours& colours, int frame) {
    double phase = frame * 2.0 * pi / 3.0;
    BITMAP* bitmap = render_shape(20, 20, [&](double x, double y) {
        if (x >= 3 && x < 5 && y >= 1 && y < 19.5) {
            return x < 4 ? c_grey_light : c_grey;
        }
        if (in_circle(x, y, 4, 1.5, 1.4)) {
            return c_gold;
        }
        double wave = std::sin(x * 0.55 - phase) * 1.3 * (x - 5) / 12.0;
        double top = 2.5 + wave;
        double bottom = 11.0 + wave;
        if (x >= 5 && x < 17.5 && y >= top && y < bottom) {
            double slope = std::cos(x * 0.55 - phase);
            if (y < top + 1.2) {
                return colours.light;
            }
            return slope > 0.35 ? colours.light : (slope < -0.45 ? colours.dark : colours.cloth);
        }
        return 0;
    });
    outline_shape(bitmap, c_black);
    return bitmap;
}

// A standing wave pinned at the cell edges, so neighbouring cells in any
// phase meet without a step.
double wave_height(double x, int frame) {
    return std::sin(2.0 * pi * x / 20.0) * std::cos(frame * 2.0 * pi / 6.0);
}

struct Arrow {
    double dx;
    double dy;
};
constexpr Arrow bumper_directions[8] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1},
                                        {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};

BITMAP* bumper(int p, bool kicking) {
    Arrow arrow = bumper_directions[p];
    double length = std::hypot(arrow.dx, arrow.dy);
    double ux = arrow.dx / length, uy = arrow.dy / length;
    double ring = kicking ? 9.4 : 7.6;
    double push = kicking ? 2.0 : 0.0;
    BITMAP* bitmap = render_shape(20, 20, [&](double x, double y) {
        double cx = 10 + ux * push * 0.5, cy = 10 + uy * push * 0.5;
        double ax = x - cx, ay = y - cy;
        // The arrow: along the direction from -3.5 to +5, head from +1.
        double along = ax * ux + ay * uy;
        double across = -ax * uy + ay * ux;
        bool shaft = along > -4.0 && along < 1.5 && std::fabs(across) < 1.1;
        bool head = along >= 1.0 && along < 5.5 && std::fabs(across) < (5.5 - along) * 0.85;
        if ((shaft || head) && in_circle(x, y, cx, cy, ring - 1.2)) {
            return kicking ? c_white : c_cream;
        }
        if (in_circle(x, y, cx, cy, ring)) {
            double d = std::hypot(ax, ay);
            if (d > ring - 1.6) {
                return ax + ay < 0 ? c_gold : c_flame;
            }
            return kicking ? c_pink : (ax + ay < -2 ? c_pink : c_purple);
        }
        if (kicking) {
            double angle = std::atan2(ay, ax);
            double d = std::hypot(ax, ay);
            if (d < 10.5 && std::fabs(std::sin(angle * 4)) > 0.93) {
                return c_shot;
            }
        }
        return 0;
    });
    outline_shape(bitmap, c_black);
    return bitmap;
}

BITMAP* conveyor(int frame, bool right) {
    static constexpr int offsets[3] = {0, 3, 7};
    int offset = right ? offsets[frame] : -offsets[frame];
    BITMAP* bitmap = create_bitmap_ex(8, 20, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            int colour = c_grey_dark;
            if (y == 0 || y == 9) {
                colour = c_black;
            } else if (y == 1) {
                colour = c_metal_light;
            } else if (y == 8) {
                colour = c_metal_dark;
            } else {
                // Chevrons pointing the way the belt runs, period 10.
                int bend = std::abs(y - 4) - (y >= 5 ? 1 : 0);
                int phase = ((x - offset + (right ? bend : -bend)) % 10 + 10) % 10;
                if (phase < 3) {
                    colour = phase == 0 ? c_gold : c_flame;
                } else if (y == 2) {
                    colour = c_grey;
                }
            }
            putpixel(bitmap, x, y, colour);
        }
    }
    return bitmap;
}
} // namespace

void draw_flags(SpriteSheet& sheet) {
    for (int base = 0; base < 3; ++base) {
        for (int frame = 0; frame < 3; ++frame) {
            sheet.add("FLAG" + std::to_string(base) + "_" + std::to_string(frame + 1),
                      flag(flag_colours[base], frame));
        }
    }
}

void draw_signs(SpriteSheet& sheet) {
    const char* labels[3] = {"1", "2", "*"};
    for (int base = 0; base < 3; ++base) {
        const FlagColours& colours = flag_colours[base];
        BITMAP* bitmap = render_shape(40, 12, [&](double x, double y) {
            if (x >= 18.5 && x < 21.5 && y >= 9) {
                return c_grey_dark;
            }
            if (x >= 1 && x < 39 && y >= 0.5 && y < 9.5) {
                if (y < 1.7) {
                    return colours.light;
                }
                return y > 8.3 ? colours.dark : colours.cloth;
            }
            return 0;
        });
        outline_shape(bitmap, c_black);
        int format = get_uformat();
        set_uformat(U_ASCII);
        std::string label = std::string("- ") + labels[base] + " -";
        textout_centre_ex(bitmap, font, label.c_str(), 20, 1, c_white, -1);
        set_uformat(format);
        sheet.add("SIGN" + std::to_string(base + 1), bitmap);
    }
}

void draw_waves(SpriteSheet& sheet) {
    for (int frame = 0; frame < 6; ++frame) {
        BITMAP* bitmap = create_bitmap_ex(8, 20, 12);
        clear_to_color(bitmap, 0);
        for (int x = 0; x < 20; ++x) {
            int surface = static_cast<int>(std::lround(9.0 - 1.6 * wave_height(x + 0.5, frame)));
            for (int y = surface; y < 12; ++y) {
                putpixel(bitmap, x, y, y == surface ? c_foam : c_water);
            }
            if ((x * 7 + frame * 3) % 11 == 0 && surface > 1) {
                putpixel(bitmap, x, surface - 1, c_white); // spray
            }
        }
        sheet.add("WAVE_ABOVE" + std::to_string(frame + 1), bitmap);
    }
    for (int frame = 0; frame < 6; ++frame) {
        BITMAP* bitmap = create_bitmap_ex(8, 20, 5);
        clear_to_color(bitmap, 0);
        for (int x = 0; x < 20; ++x) {
            int surface = static_cast<int>(std::lround(2.0 + 1.4 * wave_height(x + 0.5, frame)));
            for (int y = 0; y <= surface && y < 5; ++y) {
                putpixel(bitmap, x, y, y == surface ? c_foam : c_water);
            }
        }
        sheet.add("WAVE_BELOW" + std::to_string(frame + 1), bitmap);
    }
}

void draw_bumpers(SpriteSheet& sheet) {
    for (int p = 0; p < 8; ++p) {
        sheet.add("BUMPER" + std::to_string(p) + "_REST", bumper(p, false));
        sheet.add("BUMPER" + std::to_string(p) + "_KICK", bumper(p, true));
    }
}

void draw_goo(SpriteSheet& sheet) {
    // One seamless 40x40 texture cut into the four cells of the 2x2 pattern.
    BITMAP* texture = create_bitmap_ex(8, 40, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            double n =
                periodic_noise(x, y, 40, 10, 7) * 0.65 + periodic_noise(x, y, 40, 5, 8) * 0.35;
            double swirl = std::sin((x + y * 0.5) * 2 * pi / 40 + n * 4) * 0.5 + 0.5;
            double v = n * 0.7 + swirl * 0.3;
            int colour = v < 0.38 ? c_green_dark : (v < 0.62 ? c_green : c_green_light);
            if (v > 0.78) {
                colour = c_cream; // glistening highlights
            }
            putpixel(texture, x, y, colour);
        }
    }
    const int bubbles[][3] = {{8, 9, 3}, {27, 5, 2}, {31, 26, 3}, {12, 30, 2}, {21, 17, 1}};
    for (const auto& bubble : bubbles) {
        circle(texture, bubble[0], bubble[1], bubble[2], c_green_light);
        putpixel(texture, bubble[0] - 1, bubble[1] - 1, c_white);
    }
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        BITMAP* cell = create_bitmap_ex(8, 20, 20);
        blit(texture, cell, (quadrant % 2) * 20, (quadrant / 2) * 20, 0, 0, 20, 20);
        sheet.add("GOO" + std::to_string(quadrant + 1), cell);
    }
    destroy_bitmap(texture);
}

void draw_menu_arrows(SpriteSheet& sheet) {
    for (int up = 0; up < 2; ++up) {
        BITMAP* bitmap = render_shape(20, 16, [&](double x, double y) {
            double yy = up ? 16 - y : y;
            if (in_triangle(x, yy, 2, 3, 18, 3, 10, 14)) {
                return yy < 6 ? c_cream : c_gold;
            }
            return 0;
        });
        outline_shape(bitmap, c_black);
        sheet.add(up ? "ARROW_UP" : "ARROW_DOWN", bitmap);
    }
}

void draw_ornaments(SpriteSheet& sheet) {
    // A hanging crystal that now and then catches the light: idle, then a
    // glint growing to a star and fading.
    const double glint[5] = {0.0, 0.5, 0.8, 1.0, 0.25};
    for (int frame = 0; frame < 5; ++frame) {
        double g = glint[frame];
        BITMAP* bitmap = render_shape(20, 20, [&](double x, double y) {
            if (x >= 9.5 && x < 10.5 && y < 5) {
                return c_grey_light;
            }
            double ax = x - 10, ay = y - 12;
            bool gem = std::fabs(ax) * 1.3 + std::fabs(ay) < 7.0 && y > 5;
            if (g > 0) {
                double star = std::fabs(ax + 3) * std::fabs(ay + 3);
                bool ray = (std::fabs(ax + 3) < 0.8 || std::fabs(ay + 3) < 0.8) &&
                           std::hypot(ax + 3, ay + 3) < 2 + 6 * g;
                if (ray || (star < 0.5 && std::hypot(ax + 3, ay + 3) < 3 * g)) {
                    return c_white;
                }
            }
            if (gem) {
                if (ax < 0 && ay < 0) {
                    return g > 0.7 ? c_white : c_foam;
                }
                if (ax >= 0 && ay >= 0) {
                    return c_purple;
                }
                return c_pink;
            }
            return 0;
        });
        outline_shape(bitmap, c_black);
        sheet.add("ORNAMENT" + std::to_string(frame + 1), bitmap);
    }
}

void draw_conveyors(SpriteSheet& sheet) {
    for (int right = 0; right < 2; ++right) {
        for (int frame = 0; frame < 3; ++frame) {
            sheet.add(std::string(right ? "CONVEYOR_RIGHT" : "CONVEYOR_LEFT") +
                          std::to_string(frame + 1),
                      conveyor(frame, right != 0));
        }
    }
}
