#include "content/icon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stb/stb_image_write.h>

namespace {
constexpr double canvas = 256.0;
constexpr double centre = canvas / 2;

struct Point {
    double x, y;
};

struct Colour {
    unsigned char r, g, b;
    double alpha = 1.0;
};

// A filled circle or polygon; later shapes cover earlier ones.
struct Shape {
    std::vector<Point> polygon; // empty: a circle
    Point centre{};
    double radius = 0;
    Colour colour;
};

// The rocket is laid out upright and turned 45 degrees to the right, so that
// it climbs towards the top right corner.
Point turned(Point p) {
    const double angle = std::numbers::pi / 4;
    double dx = p.x - centre, dy = p.y - centre;
    return {centre + dx * std::cos(angle) - dy * std::sin(angle),
            centre + dx * std::sin(angle) + dy * std::cos(angle)};
}

Shape polygon(std::vector<Point> points, Colour colour) {
    for (Point& p : points) {
        p = turned(p);
    }
    return {std::move(points), {}, 0, colour};
}

Shape circle(Point at, double radius, Colour colour, bool turn = true) {
    return {{}, turn ? turned(at) : at, radius, colour};
}

// The body's half-width at height y: a pointed nose at the top, full width in
// the middle, narrowing a little towards the tail.
double body_half_width(double y) {
    constexpr double nose = 34, tail = 184, widest = 30;
    double t = (y - nose) / (tail - nose);
    return widest * std::pow(std::sin(std::numbers::pi * (0.08 + 0.84 * t)), 0.6) *
           (t < 0.5 ? std::sqrt(t / 0.5) : 1.0);
}

// The outline of the body between heights top and bottom; only the part right
// of the axis when right_half (the shaded side).
std::vector<Point> body_outline(double top, double bottom, bool right_half) {
    std::vector<Point> points;
    constexpr int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        double y = top + (bottom - top) * i / steps;
        points.push_back({centre + body_half_width(y), y});
    }
    for (int i = steps; i >= 0; --i) {
        double y = top + (bottom - top) * i / steps;
        points.push_back(
            {right_half ? centre + body_half_width(y) * 0.35 : centre - body_half_width(y), y});
    }
    return points;
}

// A flame from the nozzle at height y, length long, half-width wide.
std::vector<Point> flame(double y, double wide, double length) {
    std::vector<Point> points;
    constexpr int steps = 32;
    for (int i = 0; i <= steps; ++i) {
        double a = std::numbers::pi * i / steps;
        double reach = std::sin(a);
        points.push_back({centre + wide * std::cos(a), y + length * std::pow(reach, 0.7)});
    }
    return points;
}

std::vector<Shape> drawing() {
    const Colour rim{0x3b, 0x5c, 0xa8}, sky{0x12, 0x1d, 0x45}, star{0xff, 0xf4, 0xc8};
    const Colour hull{0xec, 0xef, 0xf4}, shade{0xb4, 0xbe, 0xcf}, red{0xd9, 0x33, 0x2e},
        dark_red{0x9e, 0x1f, 0x1c}, metal{0x55, 0x5e, 0x6e}, frame{0x33, 0x3d, 0x55},
        glass{0x6f, 0xc8, 0xff}, glint{0xff, 0xff, 0xff, 0.85}, fire{0xff, 0x8a, 0x1c},
        core{0xff, 0xe0, 0x5a};
    std::vector<Shape> shapes;
    shapes.push_back(circle({centre, centre}, 122, rim, false));
    shapes.push_back(circle({centre, centre}, 112, sky, false));
    for (auto [x, y, r] : std::array<std::array<double, 3>, 6>{{{58, 70, 5},
                                                                {92, 40, 3},
                                                                {196, 182, 4},
                                                                {60, 150, 3},
                                                                {168, 214, 3},
                                                                {206, 108, 3}}}) {
        shapes.push_back(circle({x, y}, r, star, false));
    }
    shapes.push_back(polygon(flame(196, 16, 52), fire));
    shapes.push_back(polygon(flame(196, 8, 30), core));
    // Fins either side of the tail, the nozzle under it.
    shapes.push_back(polygon({{100, 140}, {100, 196}, {80, 206}, {74, 188}}, red));
    shapes.push_back(polygon({{156, 140}, {156, 196}, {176, 206}, {182, 188}}, dark_red));
    shapes.push_back(polygon({{114, 182}, {142, 182}, {148, 200}, {108, 200}}, metal));
    // The hull with its shaded right side, the red nose cone, a stripe down
    // the tail and the window.
    shapes.push_back(polygon(body_outline(34, 184, false), hull));
    shapes.push_back(polygon(body_outline(34, 184, true), shade));
    shapes.push_back(polygon(body_outline(34, 74, false), red));
    shapes.push_back(polygon(body_outline(34, 74, true), dark_red));
    shapes.push_back(polygon({{128, 140}, {128, 200}, {122, 200}, {122, 140}}, red));
    shapes.push_back(circle({centre, 110}, 17, frame));
    shapes.push_back(circle({centre, 110}, 12, glass));
    shapes.push_back(circle({centre - 4, 106}, 4, glint));
    return shapes;
}

// Where the row at height y crosses the shape: pairs of x values, inside
// between the first and second of each pair (even-odd rule for polygons).
std::vector<double> crossings(const Shape& shape, double y) {
    std::vector<double> xs;
    if (shape.polygon.empty()) {
        double dy = y - shape.centre.y;
        double squared = shape.radius * shape.radius - dy * dy;
        if (squared > 0) {
            xs = {shape.centre.x - std::sqrt(squared), shape.centre.x + std::sqrt(squared)};
        }
        return xs;
    }
    const std::vector<Point>& p = shape.polygon;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].y > y) != (p[j].y > y)) {
            xs.push_back((p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x);
        }
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

std::string hex(const Colour& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}
} // namespace

std::string icon_svg() {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                      "viewBox=\"0 0 256 256\">\n";
    char number[32];
    auto add = [&](double value) {
        std::snprintf(number, sizeof number, "%.2f", value);
        svg += number;
    };
    for (const Shape& shape : drawing()) {
        if (shape.polygon.empty()) {
            svg += "  <circle cx=\"";
            add(shape.centre.x);
            svg += "\" cy=\"";
            add(shape.centre.y);
            svg += "\" r=\"";
            add(shape.radius);
            svg += "\"";
        } else {
            svg += "  <polygon points=\"";
            for (std::size_t i = 0; i < shape.polygon.size(); ++i) {
                svg += i ? " " : "";
                add(shape.polygon[i].x);
                svg += ",";
                add(shape.polygon[i].y);
            }
            svg += "\"";
        }
        svg += " fill=\"" + hex(shape.colour) + "\"";
        if (shape.colour.alpha < 1.0) {
            svg += " fill-opacity=\"";
            add(shape.colour.alpha);
            svg += "\"";
        }
        svg += "/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

std::vector<unsigned char> icon_pixels(int size) {
    // Each pixel averages a grid of samples; each sample composes the shapes
    // over a transparent ground, so edges blend into whatever is behind the
    // icon. The shapes are filled a row of samples at a time, span by span.
    constexpr int grid = 6;
    const std::vector<Shape> shapes = drawing();
    const int samples = size * grid;
    const double step = canvas / samples;
    std::vector<double> sums(static_cast<std::size_t>(size) * size * 4, 0.0);
    std::vector<std::array<double, 4>> row(static_cast<std::size_t>(samples));
    for (int sy = 0; sy < samples; ++sy) {
        double y = (sy + 0.5) * step;
        std::fill(row.begin(), row.end(), std::array<double, 4>{0, 0, 0, 0});
        for (const Shape& shape : shapes) {
            std::vector<double> xs = crossings(shape, y);
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                int first = std::max(0, static_cast<int>(std::ceil(xs[i] / step - 0.5)));
                int last = std::min(samples, static_cast<int>(std::ceil(xs[i + 1] / step - 0.5)));
                double k = shape.colour.alpha;
                for (int sx = first; sx < last; ++sx) {
                    std::array<double, 4>& sample = row[static_cast<std::size_t>(sx)];
                    sample = {shape.colour.r * k + sample[0] * (1 - k),
                              shape.colour.g * k + sample[1] * (1 - k),
                              shape.colour.b * k + sample[2] * (1 - k), k + sample[3] * (1 - k)};
                }
            }
        }
        for (int sx = 0; sx < samples; ++sx) {
            double* sum = &sums[(static_cast<std::size_t>(sy / grid) * size + sx / grid) * 4];
            for (int c = 0; c < 4; ++c) {
                sum[c] += row[static_cast<std::size_t>(sx)][static_cast<std::size_t>(c)];
            }
        }
    }
    std::vector<unsigned char> pixels(sums.size());
    for (std::size_t i = 0; i < sums.size(); i += 4) {
        // The sums hold premultiplied colour; the file wants it straight.
        double coverage = sums[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            pixels[i + c] = coverage > 0 ? static_cast<unsigned char>(
                                               std::lround(std::min(255.0, sums[i + c] / coverage)))
                                         : 0;
        }
        pixels[i + 3] = static_cast<unsigned char>(std::lround(coverage / (grid * grid) * 255));
    }
    return pixels;
}

bool write_icons(const std::string& folder, const std::string& name, std::string& problem) {
    namespace fs = std::filesystem;
    fs::path theme = fs::path(folder) / "hicolor";
    std::error_code error;
    fs::remove_all(theme, error);
    auto writable = [&](const fs::path& path) {
        fs::create_directories(path.parent_path(), error);
        if (error) {
            problem = "cannot make " + path.parent_path().string();
            return false;
        }
        return true;
    };
    for (int size : icon_sizes) {
        std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
        fs::path path = theme / dimensions / "apps" / (name + ".png");
        std::vector<unsigned char> pixels = icon_pixels(size);
        if (!writable(path) ||
            !stbi_write_png(path.c_str(), size, size, 4, pixels.data(), size * 4)) {
            problem = problem.empty() ? "cannot write " + path.string() : problem;
            return false;
        }
    }
    fs::path path = theme / "scalable" / "apps" / (name + ".svg");
    if (!writable(path)) {
        return false;
    }
    std::ofstream svg(path, std::ios::binary);
    svg << icon_svg();
    if (!svg.flush()) {
        problem = "cannot write " + path.string();
        return false;
    }
    return true;
}
