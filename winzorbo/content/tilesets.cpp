#include "content/tilesets.h"

#include "content/map_compiler.h"
#include "content/painter.h"
#include "content/pictures.h"
#include "content/shapes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {
constexpr double pi = std::numbers::pi;

// Palette layout of every playfield.
constexpr int backdrop_first = 1, backdrop_count = 32;
constexpr int rock_first = 33, rock_count = 64;
constexpr int lip_first = 97, lip_count = 32;
constexpr int metal_first = 129, metal_count = 32;
constexpr int deco_first = 161, deco_count = 32;
constexpr int glow_first = 193, glow_count = 31;

using Stops = std::initializer_list<std::array<int, 3>>;

struct Theme {
    const char* name;
    Stops backdrop;
    Stops rock;
    Stops lip;
    Stops metal;
    Stops deco;
    Stops glow;
    double backdrop_level; // overall brightness of the backdrop
    bool starry;
    bool panels; // backdrop drawn as wall panels
    unsigned seed;
};

const Theme themes[] = {
    {"space",
     {{0, 0, 4}, {6, 4, 16}, {14, 8, 26}},
     {{6, 3, 12}, {22, 12, 30}, {40, 28, 46}, {56, 48, 58}},
     {{10, 20, 30}, {24, 44, 52}, {50, 62, 63}},
     {{8, 10, 16}, {28, 32, 42}, {56, 58, 63}},
     {{20, 6, 30}, {50, 20, 50}, {63, 50, 63}},
     {{20, 20, 30}, {63, 63, 63}},
     0.35,
     true,
     false,
     3},
    {"cave",
     {{2, 1, 1}, {10, 6, 5}, {18, 12, 9}},
     {{6, 3, 1}, {22, 13, 6}, {38, 26, 14}, {54, 44, 30}},
     {{4, 16, 2}, {14, 36, 8}, {40, 58, 20}},
     {{10, 10, 12}, {30, 30, 34}, {56, 56, 60}},
     {{10, 24, 4}, {28, 48, 10}, {50, 62, 30}},
     {{30, 18, 4}, {63, 50, 20}},
     0.55,
     false,
     false,
     5},
    {"station",
     {{2, 3, 6}, {8, 11, 18}, {14, 18, 28}},
     {{8, 10, 14}, {22, 26, 34}, {38, 42, 50}, {58, 60, 63}},
     {{30, 24, 2}, {56, 46, 8}, {63, 62, 30}},
     {{6, 10, 20}, {20, 30, 48}, {46, 56, 63}},
     {{20, 4, 2}, {50, 30, 6}, {63, 60, 30}},
     {{8, 30, 40}, {40, 63, 63}},
     0.6,
     false,
     true,
     7},
    {"lagoon",
     {{1, 6, 10}, {4, 16, 22}, {10, 26, 30}},
     {{10, 6, 4}, {30, 22, 12}, {48, 40, 26}, {60, 56, 44}},
     {{20, 40, 10}, {36, 56, 16}, {56, 63, 40}},
     {{12, 12, 10}, {32, 30, 26}, {58, 56, 50}},
     {{40, 10, 20}, {60, 30, 30}, {63, 56, 48}},
     {{20, 40, 50}, {63, 63, 63}},
     0.55,
     false,
     false,
     11},
    {"ice",
     {{0, 1, 6}, {3, 6, 18}, {8, 14, 28}},
     {{8, 14, 26}, {20, 32, 46}, {38, 50, 60}, {54, 60, 63}},
     {{40, 48, 56}, {54, 58, 63}, {63, 63, 63}},
     {{10, 10, 14}, {30, 30, 36}, {56, 56, 60}},
     {{40, 4, 6}, {60, 20, 16}, {63, 56, 20}},
     {{30, 40, 50}, {63, 63, 63}},
     0.4,
     true,
     false,
     13},
};

const Theme* find_theme(const std::string& name) {
    for (const Theme& theme : themes) {
        if (name == theme.name) {
            return &theme;
        }
    }
    return nullptr;
}

// Backdrop brightness at (x, y) of a tile: a seamless texture shared by all
// variants plus, for variants, detail that fades out before the edges.
double backdrop_value(const Theme& theme, int variant, double x, double y) {
    double v = periodic_noise(x, y, 20, 5, theme.seed) * 0.6 +
               periodic_noise(x, y, 20, 10, theme.seed + 1) * 0.4;
    v = theme.backdrop_level * (0.75 + 0.25 * v);
    if (theme.panels) {
        double px = std::fmod(x, 20.0), py = std::fmod(y, 20.0);
        if (px < 1 || py < 1) {
            v *= 0.55;
        } else if (px < 2 || py < 2) {
            v = std::min(1.0, v * 1.35);
        }
    }
    if (variant > 0) {
        double window = std::sin(pi * x / 20) * std::sin(pi * y / 20);
        double detail =
            periodic_noise(x + 7 * variant, y + 3 * variant, 20, 4, theme.seed + 9 + variant);
        v *= 1.0 - window * 0.35 * detail;
    }
    return v;
}

BITMAP* backdrop_tile(const Theme& theme, int variant) {
    BITMAP* tile = create_bitmap_ex(8, 20, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            putpixel(tile, x, y,
                     dither_ramp(backdrop_first, backdrop_count,
                                 backdrop_value(theme, variant, x + 0.5, y + 0.5), x, y));
        }
    }
    if (theme.starry && variant > 0) {
        const int stars[3][3] = {{5, 7, 20}, {13, 4, 28}, {9, 14, 24}};
        for (int i = 0; i < variant; ++i) {
            putpixel(tile, stars[i][0], stars[i][1], glow_first + stars[i][2]);
        }
        if (variant == 3) {
            for (int d : {-1, 1}) {
                putpixel(tile, 5 + d, 7, glow_first + 10);
                putpixel(tile, 5, 7 + d, glow_first + 10);
            }
        }
    }
    return tile;
}

// A decoration drawn over the plain backdrop.
BITMAP* deco_tile(const Theme& theme, int which) {
    BITMAP* tile = backdrop_tile(theme, 0);
    BITMAP* shape = render_shape(20, 20, [&](double x, double y) {
        switch (which) {
        case scenery_window:
            if (x > 3 && x < 17 && y > 4 && y < 16) {
                if (x < 4.5 || x > 15.5 || y < 5.5 || y > 14.5 || std::fabs(x - 10) < 0.7) {
                    return metal_first + 10;
                }
                return dither_ramp(glow_first, glow_count, 0.5 + (16 - y) / 24.0,
                                   static_cast<int>(x), static_cast<int>(y));
            }
            return 0;
        case scenery_pipe_across:
            if (y > 6 && y < 14) {
                double shade = 1 - std::fabs(y - 9) / 5.0;
                if (std::fmod(x, 20.0) < 1.5) {
                    return metal_first + 6;
                }
                return metal_first + static_cast<int>(shade * (metal_count - 1));
            }
            return 0;
        case scenery_pipe_down:
            if (x > 6 && x < 14) {
                double shade = 1 - std::fabs(x - 9) / 5.0;
                if (std::fmod(y, 20.0) < 1.5) {
                    return metal_first + 6;
                }
                return metal_first + static_cast<int>(shade * (metal_count - 1));
            }
            return 0;
        case scenery_vines: {
            for (double vx : {4.0, 11.0, 16.0}) {
                double sway = std::sin(y * 0.5 + vx) * 1.5;
                double length = 10 + std::fmod(vx * 7, 10.0);
                if (std::fabs(x - vx - sway) < 1.0 && y < length) {
                    return deco_first + 14;
                }
                if (in_circle(x, y, vx + sway + 1.5, length - 2, 1.5)) {
                    return deco_first + 26;
                }
            }
            return 0;
        }
        case scenery_girder: {
            bool rails = y < 2.5 || y > 17.5;
            double d = std::fmod(x + (y < 10 ? y : 20 - y), 20.0);
            bool brace = std::fabs(d - 10) < 1.4;
            if (rails || brace) {
                return metal_first + (rails && y < 1.5 ? 26 : 14);
            }
            return 0;
        }
        default: {
            // A cluster of glowing crystals.
            if (in_triangle(x, y, 6, 19, 9, 19, 7, 6) || in_triangle(x, y, 9, 19, 13, 19, 12, 2) ||
                in_triangle(x, y, 12, 19, 16, 19, 15, 9)) {
                return dither_ramp(deco_first, deco_count, (20 - y) / 20.0 + (x < 10 ? 0.2 : 0),
                                   static_cast<int>(x), static_cast<int>(y));
            }
            return 0;
        }
        }
    });
    draw_sprite(tile, shape, 0, 0);
    destroy_bitmap(shape);
    return tile;
}

// A solid block whose exposed corners are rounded; its pixels are its
// collision shape, so every drawn pixel is a non-zero colour.
BITMAP* solid_tile(const Theme& theme, int mask, bool metal) {
    bool open_up = !(mask & 1), open_right = !(mask & 2);
    bool open_down = !(mask & 4), open_left = !(mask & 8);
    const double radius = 7.0;
    BITMAP* tile = create_bitmap_ex(8, 20, 20);
    clear_to_color(tile, 0);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            double cx = x + 0.5, cy = y + 0.5;
            auto corner_cut = [&](bool a, bool b, double ox, double oy) {
                if (!(a && b)) {
                    return false;
                }
                double dx = std::fabs(cx - ox) < radius ? radius - std::fabs(cx - ox) : 0;
                double dy = std::fabs(cy - oy) < radius ? radius - std::fabs(cy - oy) : 0;
                return dx > 0 && dy > 0 && dx * dx + dy * dy > radius * radius;
            };
            if (corner_cut(open_up, open_left, 0, 0) || corner_cut(open_up, open_right, 20, 0) ||
                corner_cut(open_down, open_left, 0, 20) ||
                corner_cut(open_down, open_right, 20, 20)) {
                continue;
            }
            // Distance to the nearest exposed edge, for bevels and lips.
            double top = open_up ? cy : 99, bottom = open_down ? 20 - cy : 99;
            double west = open_left ? cx : 99, east = open_right ? 20 - cx : 99;
            int colour;
            if (metal) {
                double v = 0.55 + 0.08 * periodic_noise(cx, cy, 20, 10, theme.seed + 40);
                bool seam = x == 0 || y == 0;
                bool rivet = (x == 3 || x == 16) && (y == 3 || y == 16);
                if (seam) {
                    v = 0.3;
                }
                if (rivet) {
                    v = 0.95;
                }
                v += (top < 2.5 || west < 2.5) ? 0.3 : 0;
                v -= (bottom < 2.5 || east < 2.5) ? 0.3 : 0;
                colour = dither_ramp(metal_first, metal_count, v, x, y);
            } else {
                double n = periodic_noise(cx, cy, 20, 5, theme.seed + 20) * 0.55 +
                           periodic_noise(cx, cy, 20, 10, theme.seed + 21) * 0.45;
                double v = 0.25 + 0.45 * n;
                // Cracks: dark lines where the noise crosses a level.
                if (std::fabs(n - 0.5) < 0.025) {
                    v -= 0.2;
                }
                v += std::max(0.0, 1 - std::min(top, west) / 4.0) * 0.35;
                v -= std::max(0.0, 1 - std::min(bottom, east) / 4.0) * 0.22;
                colour = dither_ramp(rock_first, rock_count, v, x, y);
                double lip_depth = 3.5 + 2.0 * std::sin(cx * 0.9 + theme.seed);
                if (top < lip_depth) {
                    colour = dither_ramp(lip_first, lip_count, 1.0 - top / lip_depth * 0.7, x, y);
                }
            }
            putpixel(tile, x, y, colour == 0 ? 1 : colour);
        }
    }
    return tile;
}
} // namespace

bool make_tileset(const std::string& name, Tileset& tileset) {
    const Theme* theme = find_theme(name);
    if (!theme) {
        return false;
    }
    make_interface_palette(tileset.palette);
    palette_gradient(tileset.palette, 0, 1, {*theme->backdrop.begin()});
    palette_gradient(tileset.palette, backdrop_first, backdrop_count, theme->backdrop);
    palette_gradient(tileset.palette, rock_first, rock_count, theme->rock);
    palette_gradient(tileset.palette, lip_first, lip_count, theme->lip);
    palette_gradient(tileset.palette, metal_first, metal_count, theme->metal);
    palette_gradient(tileset.palette, deco_first, deco_count, theme->deco);
    palette_gradient(tileset.palette, glow_first, glow_count, theme->glow);

    tileset.scenery.title = std::string("scenery tiles: ") + name;
    for (int variant = 0; variant < scenery_backdrop_variants; ++variant) {
        tileset.scenery.add("TILE_" + std::to_string(scenery_backdrop + variant),
                            backdrop_tile(*theme, variant));
    }
    for (int which = scenery_window; which <= scenery_crystal; ++which) {
        tileset.scenery.add("TILE_" + std::to_string(which), deco_tile(*theme, which));
    }
    tileset.solids.title = std::string("solid tiles: ") + name;
    for (int style = 0; style < solid_style_count; ++style) {
        for (int tile = 0; tile < solid_tiles_per_style; ++tile) {
            int index = style * solid_tiles_per_style + tile;
            tileset.solids.add(index == 0 ? "FAST" : "SOLID_" + std::to_string(index),
                               solid_tile(*theme, solid_mask_for_tile(tile), style == 1));
        }
    }
    return true;
}

void add_playfield_objects(DatafileWriter& writer, const Tileset& tileset,
                           std::vector<std::uint8_t> music) {
    writer.add_binary("MUSIC", std::move(music));
    writer.add_binary("BAK", {'B', 'A', 'K'});
    for (const NamedSprite& tile : tileset.scenery.sprites) {
        writer.add_sprite(tile.name, tile.bitmap);
    }
    for (const NamedSprite& tile : tileset.solids.sprites) {
        writer.add_sprite(tile.name, tile.bitmap);
    }
    writer.add_palette("PAL", tileset.palette);
}
