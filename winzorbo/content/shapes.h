#pragma once

#include <cmath>

// Small geometric tests for the sprite shaders.
inline bool in_circle(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r;
}

inline bool in_ellipse(double x, double y, double cx, double cy, double rx, double ry) {
    double dx = (x - cx) / rx;
    double dy = (y - cy) / ry;
    return dx * dx + dy * dy < 1.0;
}

// Within r of the segment (ax, ay)-(bx, by): a limb or a stroke.
inline bool in_capsule(double x, double y, double ax, double ay, double bx, double by, double r) {
    double vx = bx - ax, vy = by - ay;
    double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((x - ax) * vx + (y - ay) * vy) / length2 : 0.0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    double dx = x - (ax + t * vx), dy = y - (ay + t * vy);
    return dx * dx + dy * dy < r * r;
}

// Inside the triangle a, b, c (either winding).
inline bool in_triangle(double x, double y, double ax, double ay, double bx, double by, double cx,
                        double cy) {
    auto side = [&](double px, double py, double qx, double qy) {
        return (qx - px) * (y - py) - (qy - py) * (x - px);
    };
    double d1 = side(ax, ay, bx, by), d2 = side(bx, by, cx, cy), d3 = side(cx, cy, ax, ay);
    bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}
