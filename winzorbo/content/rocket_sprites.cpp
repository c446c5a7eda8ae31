#include "content/rocket_sprites.h"

#include "content/interface_colours.h"
#include "content/painter.h"

#include <cmath>
#include <numbers>

namespace {
struct Livery {
    int body;
    int light;
    int dark;
};

constexpr Livery liveries[2] = {{c_p1, c_cyan, c_p1_dark}, {c_p2, c_p2_light, c_p2_dark}};

// The rocket standing upright, centred on (0, 0), y down.
int rocket_colour(const Livery& livery, double u, double v, bool flame) {
    double au = std::fabs(u);
    // Flame behind the nozzle, flickering inner core.
    if (flame && v > 5.2 && v < 9.6) {
        double t = (v - 5.2) / 4.4;
        double half = 2.3 * (1 - t) + 0.2;
        if (au < half) {
            return au < half * 0.45 && t < 0.7 ? c_shot : c_flame;
        }
    }
    // Nozzle.
    if (v >= 3.6 && v < 5.4 && au < 1.6 + (v - 3.6) * 0.35) {
        return c_metal_dark;
    }
    // Fins: swept triangles at the tail.
    if (v > 0.5 && v < 5.6 && au >= 2.2 && au < 2.2 + (v - 0.5) * 0.78) {
        return v > 4.6 ? c_metal_dark : livery.dark;
    }
    // Nose cone.
    if (v >= -8.4 && v < -3.4) {
        double half = 2.8 * std::sqrt((v + 8.4) / 5.0);
        if (au < half) {
            return u < -0.6 ? c_white : c_metal_light;
        }
        return 0;
    }
    // Body.
    if (v >= -3.4 && v < 3.6 && au < 2.8) {
        double dx = u + 0.1;
        double dy = v + 0.9;
        if (dx * dx + dy * dy < 1.7) {
            return dx * dx + (dy + 0.5) * (dy + 0.5) < 0.4 ? c_white : c_cyan_dark;
        }
        if (u < -1.5) {
            return livery.light;
        }
        if (u > 1.7) {
            return livery.dark;
        }
        return v > 2.6 ? c_metal_light : livery.body;
    }
    return 0;
}
} // namespace

BITMAP* draw_rocket(int player, int direction, bool flame) {
    const Livery& livery = liveries[player];
    double angle = direction * 15.0 * std::numbers::pi / 180.0;
    double c = std::cos(angle);
    double s = std::sin(angle);
    BITMAP* bitmap = render_shape(20, 20, [&](double x, double y) {
        double dx = x - 10.0;
        double dy = y - 10.0;
        double u = dx * c + dy * s;
        double v = -dx * s + dy * c;
        return rocket_colour(livery, u, v, flame);
    });
    outline_shape(bitmap, c_black);
    return bitmap;
}

BITMAP* draw_wreck(int player) {
    const Livery& livery = liveries[player];
    // A burnt hull lying on its side with a crumpled nose, embers and smoke.
    BITMAP* bitmap = render_shape(20, 20, [&](double x, double y) {
        double u = x - 10.0;
        double v = y - 14.0;
        if (v > -2.6 && v < 3.2 && u > -7 && u < 6) {
            double crumple = std::sin(u * 1.7) * 0.8;
            if (std::fabs(v - crumple * 0.4) < 2.4) {
                if (std::fmod(std::fabs(u * 3.1 + v * 2.3), 4.0) < 0.9) {
                    return c_flame;
                }
                return u > 2 ? livery.dark : (v < -0.8 ? c_grey : c_grey_dark);
            }
        }
        // Broken fin sticking up.
        if (u > -7.5 && u < -4 && v < -1.5 && v > -6 + (u + 7.5) * 0.6) {
            return livery.dark;
        }
        // Smoke puffs.
        double p1 = (u - 1) * (u - 1) + (v + 9) * (v + 9);
        double p2 = (u + 2) * (u + 2) + (v + 6) * (v + 6);
        if (p1 < 6.5 || p2 < 4.0) {
            return p1 < 2.5 ? c_grey_light : c_grey;
        }
        return 0;
    });
    outline_shape(bitmap, c_black);
    return bitmap;
}
