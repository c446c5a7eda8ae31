#include "content/painter.h"

#include <algorithm>
#include <allegro.h>
#include <cmath>
#include <map>
#include <vector>

BITMAP* render_shape(int w, int h, const Shader& shade, int samples) {
    BITMAP* bitmap = create_bitmap_ex(8, w, h);
    clear_to_color(bitmap, 0);
    std::map<int, int> votes;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            votes.clear();
            int covered = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    double px = x + (sx + 0.5) / samples;
                    double py = y + (sy + 0.5) / samples;
                    int colour = shade(px, py);
                    if (colour != 0) {
                        ++votes[colour];
                        ++covered;
                    }
                }
            }
            if (2 * covered < samples * samples) {
                continue;
            }
            auto best = std::max_element(votes.begin(), votes.end(),
                                         [](auto& a, auto& b) { return a.second < b.second; });
            putpixel(bitmap, x, y, best->first);
        }
    }
    return bitmap;
}

void outline_shape(BITMAP* bitmap, int colour) {
    int w = bitmap->w;
    int h = bitmap->h;
    std::vector<bool> filled(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            filled[static_cast<std::size_t>(y * w + x)] = getpixel(bitmap, x, y) != 0;
        }
    }
    auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && filled[static_cast<std::size_t>(y * w + x)];
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!at(x, y) && (at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1))) {
                putpixel(bitmap, x, y, colour);
            }
        }
    }
}

int dither_ramp(int first, int count, double v, int x, int y) {
    static constexpr int bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    v = std::clamp(v, 0.0, 1.0) * (count - 1);
    int base = static_cast<int>(v);
    double fraction = v - base;
    double threshold = (bayer[y & 3][x & 3] + 0.5) / 16.0;
    int index = base + (fraction > threshold ? 1 : 0);
    return first + std::min(index, count - 1);
}

namespace {
double lattice(int x, int y, unsigned seed) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffff) / 65535.0;
}

double smooth(double t) {
    return t * t * (3 - 2 * t);
}
} // namespace

double periodic_noise(double x, double y, int period, int cell, unsigned seed) {
    int cells = period / cell;
    double fx = x / cell;
    double fy = y / cell;
    int x0 = static_cast<int>(std::floor(fx));
    int y0 = static_cast<int>(std::floor(fy));
    double tx = smooth(fx - x0);
    double ty = smooth(fy - y0);
    auto wrap = [cells](int v) { return ((v % cells) + cells) % cells; };
    double a = lattice(wrap(x0), wrap(y0), seed);
    double b = lattice(wrap(x0 + 1), wrap(y0), seed);
    double c = lattice(wrap(x0), wrap(y0 + 1), seed);
    double d = lattice(wrap(x0 + 1), wrap(y0 + 1), seed);
    return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
}

void palette_gradient(RGB* palette, int first, int count,
                      std::initializer_list<std::array<int, 3>> stops) {
    std::vector<std::array<int, 3>> points(stops);
    int segments = static_cast<int>(points.size()) - 1;
    for (int i = 0; i < count; ++i) {
        double t = count == 1 ? 0.0 : static_cast<double>(i) / (count - 1) * segments;
        int segment = std::min(static_cast<int>(t), segments - 1);
        double f = t - segment;
        if (segments == 0) {
            segment = 0;
            f = 0;
        }
        const auto& a = points[static_cast<std::size_t>(segment)];
        const auto& b = points[static_cast<std::size_t>(segments == 0 ? 0 : segment + 1)];
        auto mix = [f](int p, int q) {
            return static_cast<unsigned char>(std::lround(p + (q - p) * f));
        };
        palette[first + i].r = mix(a[0], b[0]);
        palette[first + i].g = mix(a[1], b[1]);
        palette[first + i].b = mix(a[2], b[2]);
        palette[first + i].filler = 0;
    }
}
