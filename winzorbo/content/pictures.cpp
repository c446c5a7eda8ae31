#include "content/pictures.h"

#include "content/interface_colours.h"
#include "content/painter.h"
#include "content/rocket_sprites.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {
constexpr double pi = std::numbers::pi;

// Ramps shared by both pictures' palettes.
constexpr int sky_first = 0, sky_count = 64;
constexpr int land_first = 64, land_count = 48;
constexpr int body_first = 112, body_count = 48; // planet or sun and sea
constexpr int logo_first = 160, logo_count = 32;
constexpr int star_first = 192, star_count = 16;
constexpr int glow_first = 208, glow_count = 16;

unsigned hash(unsigned x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

double hash01(unsigned x) {
    return (hash(x) & 0xffffff) / 16777215.0;
}

// A ridge line across the picture: sums of sines with fixed phases.
double ridge(double x, unsigned seed, double scale) {
    double h = 0;
    double amplitude = 1;
    double frequency = 1.0 / 180;
    for (int octave = 0; octave < 5; ++octave) {
        h += amplitude * std::sin(x * frequency * 2 * pi + hash01(seed + octave) * 6.28);
        amplitude *= 0.5;
        frequency *= 2.1;
    }
    return h * scale;
}

// Big lettering from Allegro's 8x8 font, smoothed by sampling the glyph
// coverage bilinearly, filled with a vertical ramp, outlined and shadowed.
void draw_big_text(BITMAP* target, const char* text, int centre_x, int top, double scale,
                   int ramp_first, int ramp_count, int outline_colour, int shadow_colour) {
    int format = get_uformat();
    set_uformat(U_ASCII);
    int length = static_cast<int>(std::strlen(text));
    BITMAP* small = create_bitmap_ex(8, length * 8 + 2, 10);
    clear_to_color(small, 0);
    textout_ex(small, font, text, 1, 1, 1, 0);
    set_uformat(format);
    auto coverage = [&](double sx, double sy) {
        int x0 = static_cast<int>(std::floor(sx - 0.5));
        int y0 = static_cast<int>(std::floor(sy - 0.5));
        double fx = sx - 0.5 - x0, fy = sy - 0.5 - y0;
        auto at = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < small->w && y < small->h && getpixel(small, x, y) == 1
                       ? 1.0
                       : 0.0;
        };
        return (at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
               (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy;
    };
    int width = static_cast<int>(small->w * scale);
    int height = static_cast<int>(small->h * scale);
    int left = centre_x - width / 2;
    double border = 0.32 / scale * 4;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                double sx = (x + 0.5) / scale, sy = (y + 0.5) / scale;
                int tx = left + x, ty = top + y;
                if (pass == 0) {
                    // Drop shadow down and right.
                    if (coverage(sx - 0.35, sy - 0.35) > 0.35) {
                        putpixel(target, tx, ty, shadow_colour);
                    }
                } else if (pass == 1) {
                    double c = std::max({coverage(sx - border, sy), coverage(sx + border, sy),
                                         coverage(sx, sy - border), coverage(sx, sy + border)});
                    if (c > 0.45) {
                        putpixel(target, tx, ty, outline_colour);
                    }
                } else if (coverage(sx, sy) > 0.5) {
                    double v = 1.0 - (sy - 1.0) / 8.0;
                    // A bright bevel along the upper edge of each stroke.
                    if (coverage(sx, sy - 0.3) < 0.5) {
                        v = 1.0;
                    }
                    putpixel(target, tx, ty, dither_ramp(ramp_first, ramp_count, v, tx, ty));
                }
            }
        }
    }
    destroy_bitmap(small);
}

// The picture's own colour (0..223) closest to an interface colour: the
// pictures are faded in over 0..223 only, so they cannot rely on the rest.
int picture_colour(const RGB* palette, int interface_colour) {
    PALETTE interface_palette;
    make_interface_palette(interface_palette);
    const RGB& wanted = interface_palette[interface_colour];
    int best = 0;
    int best_distance = 1 << 30;
    for (int i = 0; i < 224; ++i) {
        int dr = palette[i].r - wanted.r, dg = palette[i].g - wanted.g,
            db = palette[i].b - wanted.b;
        int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = i;
        }
    }
    return best;
}

// A rocket sprite blown up with its pixels kept square, in the picture's
// own colours.
void draw_big_rocket(BITMAP* target, const RGB* palette, int player, int direction, int x, int y,
                     int scale) {
    BITMAP* rocket = draw_rocket(player, direction, true);
    for (int sy = 0; sy < 20; ++sy) {
        for (int sx = 0; sx < 20; ++sx) {
            int colour = getpixel(rocket, sx, sy);
            if (colour != 0) {
                colour = picture_colour(palette, colour);
                rectfill(target, x + sx * scale, y + sy * scale, x + sx * scale + scale - 1,
                         y + sy * scale + scale - 1, colour);
            }
        }
    }
    destroy_bitmap(rocket);
}

void draw_stars(BITMAP* target, int count, int max_y, unsigned seed) {
    for (int i = 0; i < count; ++i) {
        int x = static_cast<int>(hash01(seed + 3 * i) * target->w);
        int y = static_cast<int>(hash01(seed + 3 * i + 1) * max_y);
        double brightness = hash01(seed + 3 * i + 2);
        int colour = star_first + static_cast<int>(brightness * (star_count - 1));
        putpixel(target, x, y, colour);
        if (brightness > 0.93) {
            for (int k = 1; k <= 2; ++k) {
                putpixel(target, x - k, y, star_first + 6 - 2 * k);
                putpixel(target, x + k, y, star_first + 6 - 2 * k);
                putpixel(target, x, y - k, star_first + 6 - 2 * k);
                putpixel(target, x, y + k, star_first + 6 - 2 * k);
            }
        }
    }
}

void copy_interface(RGB* palette) {
    PALETTE interface_palette;
    make_interface_palette(interface_palette);
    std::memcpy(palette + 224, interface_palette + 224, 32 * sizeof(RGB));
}
} // namespace

void make_interface_palette(RGB* palette) {
    static constexpr unsigned char colours[32][3] = {
        {28, 4, 6},   {56, 10, 10}, {63, 36, 32}, {14, 16, 22}, {30, 33, 40}, {48, 51, 57},
        {4, 10, 30},  {14, 30, 60}, {63, 63, 30}, {40, 44, 52}, {63, 36, 6},  {63, 54, 14},
        {6, 22, 8},   {16, 42, 14}, {40, 60, 26}, {2, 3, 8},    {20, 12, 6},  {38, 24, 12},
        {58, 44, 32}, {18, 6, 26},  {38, 16, 50}, {60, 30, 52}, {4, 24, 30},  {20, 48, 58},
        {1, 1, 2},    {16, 16, 18}, {32, 32, 34}, {48, 48, 50}, {63, 58, 40}, {0, 17, 35},
        {63, 63, 63}, {44, 58, 63}};
    for (int i = 0; i < PAL_SIZE; ++i) {
        palette[i] = RGB{0, 0, 0, 0};
    }
    for (int i = 0; i < 32; ++i) {
        palette[224 + i] = RGB{colours[i][0], colours[i][1], colours[i][2], 0};
    }
}

BITMAP* draw_title_picture(RGB* title_palette, RGB* menu_palette) {
    palette_gradient(title_palette, sky_first, sky_count,
                     {{1, 1, 6}, {6, 3, 20}, {22, 6, 32}, {48, 16, 30}, {63, 40, 22}});
    palette_gradient(title_palette, land_first, land_count,
                     {{1, 1, 3}, {6, 4, 14}, {14, 10, 28}, {34, 22, 40}});
    palette_gradient(title_palette, body_first, body_count,
                     {{2, 6, 12}, {6, 22, 30}, {20, 44, 48}, {50, 62, 60}});
    palette_gradient(title_palette, logo_first, logo_count,
                     {{20, 6, 2}, {50, 20, 4}, {63, 44, 10}, {63, 60, 36}, {63, 63, 63}});
    palette_gradient(title_palette, star_first, star_count, {{16, 16, 24}, {63, 63, 63}});
    palette_gradient(title_palette, glow_first, glow_count,
                     {{40, 6, 4}, {63, 36, 6}, {63, 60, 30}, {63, 63, 63}});
    copy_interface(title_palette);
    for (int i = 0; i < PAL_SIZE; ++i) {
        // The menus dim the picture so the item texts stand out.
        menu_palette[i] = title_palette[i];
        if (i < 224) {
            menu_palette[i].r = static_cast<unsigned char>(title_palette[i].r * 2 / 5);
            menu_palette[i].g = static_cast<unsigned char>(title_palette[i].g * 2 / 5);
            menu_palette[i].b = static_cast<unsigned char>(title_palette[i].b * 9 / 20);
        }
    }

    BITMAP* picture = create_bitmap_ex(8, 640, 400);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 640; ++x) {
            double v = std::pow(y / 400.0, 1.6) + (hash01(x * 977 + y) - 0.5) * 0.02;
            putpixel(picture, x, y, dither_ramp(sky_first, sky_count, v, x, y));
        }
    }
    draw_stars(picture, 420, 330, 11);

    // A ringed planet, lit from the lower left.
    const double px = 505, py = 250, radius = 92;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 640; ++x) {
            double dx = (x - px) / radius, dy = (y - py) / radius;
            double ring = std::fabs((dx * 0.96 - dy * 0.28) * 0.3 + (dx * 0.28 + dy * 0.96));
            double ring_r = std::hypot(dx * 0.96 - dy * 0.28, (dx * 0.28 + dy * 0.96) * 3.6);
            bool in_front = (dx * 0.28 + dy * 0.96) > 0;
            bool on_ring = ring_r > 1.25 && ring_r < 1.75 && std::fmod(ring_r * 11, 1.0) > 0.25;
            double d2 = dx * dx + dy * dy;
            if (d2 < 1 && !(on_ring && in_front)) {
                double nz = std::sqrt(1 - d2);
                double light = std::clamp(-dx * 0.55 + dy * 0.35 + nz * 0.75, 0.0, 1.0);
                double bands = std::sin(dy * 14 + std::sin(dx * 5) * 0.8) * 0.08;
                putpixel(picture, x, y,
                         dither_ramp(body_first, body_count, light * 0.9 + bands + 0.05, x, y));
            } else if (on_ring) {
                double light = 0.55 + 0.35 * std::sin(ring_r * 9);
                putpixel(picture, x, y, dither_ramp(logo_first, logo_count, light * 0.8, x, y));
            }
            (void)ring;
        }
    }

    // Two ranges of mountains, the near one darker.
    for (int layer = 0; layer < 2; ++layer) {
        double base = layer == 0 ? 318 : 352;
        for (int x = 0; x < 640; ++x) {
            int top = static_cast<int>(base - 30 - ridge(x, 40 + layer * 9, layer == 0 ? 26 : 18));
            for (int y = std::max(top, 0); y < 400; ++y) {
                double depth = (y - top) / 80.0;
                double v = layer == 0 ? 0.75 - depth * 0.6 : 0.4 - depth * 0.5;
                if (y == top) {
                    v += 0.25; // rim light from the sky glow
                }
                putpixel(picture, x, y, dither_ramp(land_first, land_count, v, x, y));
            }
        }
    }

    // A rocket climbing out of the valley on a trail of sparks.
    for (int i = 0; i < 260; ++i) {
        double t = i / 260.0;
        double x = 70 + t * 150 + std::sin(t * 9) * 4;
        double y = 390 - t * 170;
        int spread = static_cast<int>(2 + (1 - t) * 10);
        int sx = static_cast<int>(x + (hash01(i * 31) - 0.5) * spread);
        int sy = static_cast<int>(y + (hash01(i * 37) - 0.5) * spread);
        putpixel(picture, sx, sy, glow_first + static_cast<int>(t * (glow_count - 1)));
    }
    draw_big_rocket(picture, title_palette, 0, 2, 200, 170, 4);
    draw_big_rocket(picture, title_palette, 1, 22, 560, 60, 2);

    draw_big_text(picture, "WINZORBO", 320, 60, 9.0, logo_first, logo_count, sky_first, land_first);
    return picture;
}

BITMAP* draw_intro_picture(RGB* intro_palette) {
    palette_gradient(intro_palette, sky_first, sky_count,
                     {{4, 2, 14}, {24, 6, 30}, {52, 18, 26}, {63, 42, 16}, {63, 58, 36}});
    palette_gradient(intro_palette, land_first, land_count, {{1, 1, 2}, {8, 4, 10}, {20, 10, 18}});
    palette_gradient(intro_palette, body_first, body_count,
                     {{20, 4, 10}, {50, 20, 14}, {63, 46, 20}, {63, 63, 44}});
    palette_gradient(intro_palette, logo_first, logo_count,
                     {{8, 12, 30}, {20, 40, 60}, {46, 60, 63}, {63, 63, 63}});
    palette_gradient(intro_palette, star_first, star_count, {{20, 14, 30}, {63, 63, 63}});
    palette_gradient(intro_palette, glow_first, glow_count,
                     {{30, 4, 4}, {63, 30, 4}, {63, 63, 40}});
    copy_interface(intro_palette);

    BITMAP* picture = create_bitmap_ex(8, 640, 451);
    const double horizon = 330;
    for (int y = 0; y < 451; ++y) {
        for (int x = 0; x < 640; ++x) {
            double v;
            if (y < horizon) {
                v = std::pow(y / horizon, 1.8);
                putpixel(picture, x, y, dither_ramp(sky_first, sky_count, v, x, y));
            } else {
                // Calm sea mirroring the sky, broken into ripples.
                double depth = (y - horizon) / (451 - horizon);
                double ripple = std::sin(y * 0.9 + std::sin(x * 0.05) * 2) * 0.06;
                v = (1 - depth) * 0.85 + ripple;
                putpixel(picture, x, y, dither_ramp(sky_first, sky_count, v * 0.8, x, y));
            }
        }
    }
    draw_stars(picture, 160, 130, 23);
    // The setting sun and its reflection.
    for (int y = 180; y < 451; ++y) {
        for (int x = 220; x < 420; ++x) {
            double d = std::hypot(x - 320.0, y - 300.0);
            if (y < horizon && d < 70) {
                double stripes =
                    (y > 270 && static_cast<int>(y - 270) % 12 > 8 - (y - 270) / 10) ? 1 : 0;
                if (!stripes) {
                    putpixel(picture, x, y,
                             dither_ramp(body_first, body_count, 1.0 - (y - 230) / 140.0, x, y));
                }
            } else if (y >= horizon && std::fabs(x - 320.0) < 70 - (y - horizon) * 0.3 &&
                       static_cast<int>(y) % 4 < 2 && hash01(x / 8 + y * 131) > 0.35) {
                putpixel(picture, x, y, dither_ramp(body_first, body_count, 0.7, x, y));
            }
        }
    }
    // Launch pads on a dark headland with the two rockets ready.
    for (int x = 0; x < 640; ++x) {
        int top = static_cast<int>(300 - std::max(0.0, 60 - std::fabs(x - 120.0) * 0.35) -
                                   ridge(x, 71, 6));
        if (x > 300) {
            top = static_cast<int>(horizon - 2 - std::max(0.0, (x - 470) * 0.25) - ridge(x, 75, 5));
        }
        for (int y = top; y < (x > 300 ? 360 : 451); ++y) {
            putpixel(picture, x, y,
                     dither_ramp(land_first, land_count, 0.6 - (y - top) / 90.0, x, y));
        }
    }
    draw_big_rocket(picture, intro_palette, 0, 0, 44, 150, 4);
    draw_big_rocket(picture, intro_palette, 1, 0, 130, 150, 4);
    rectfill(picture, 40, 228, 220, 234, land_first + 20);
    rectfill(picture, 40, 228, 220, 229, land_first + 40);

    draw_big_text(picture, "ZORBO TEAM", 380, 90, 5.0, logo_first, logo_count, sky_first,
                  land_first);
    draw_big_text(picture, "presents * presenterar", 380, 160, 2.0, logo_first, logo_count,
                  sky_first, land_first);
    return picture;
}
