#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

void FramesInward(CTransition& t) {
    const int w = t.w;
    const int h = t.h;
    for (int u = 0; w - 2 * u >= 1 && h - 2 * u >= 1; ++u) {
        t.Copy(u, u, w - 2 * u, 1, CopySource::Picture, u, u);
        t.Copy(u, u, 1, h - 2 * u, CopySource::Picture, u, u);
        if (u > 0) {
            t.Copy(u, h - u, w - 2 * u, 1, CopySource::Picture, u, h - u);
            t.Copy(w - u, u, 1, h - 2 * u + 1, CopySource::Picture, w - u, u);
        }
        t.StepWait();
    }
    // The frames leave the middle row or column of even sizes open.
    t.FullCopy();
}

void FramesOutward(CTransition& t) {
    const int w = t.w;
    const int h = t.h;
    int x = w / 2;
    int y = h / 2;
    for (;;) {
        t.Copy(x, y, w - 2 * x, 1, CopySource::Picture, x, y);
        if (y > 0) {
            t.Copy(x, h - y, w - 2 * x, 1, CopySource::Picture, x, h - y);
        }
        t.Copy(x, y, 1, h - 2 * y, CopySource::Picture, x, y);
        if (x > 0) {
            t.Copy(w - x, y, 1, h - 2 * y, CopySource::Picture, w - x, y);
        }
        t.StepWait();
        if (x == 0 && y == 0) {
            // The frames leave a pixel open beside the middle of odd sizes.
            t.FullCopy();
            return;
        }
        x = x > 0 ? x - 1 : 0;
        y = y > 0 ? y - 1 : 0;
    }
}

void Spiral(CTransition& t, bool clockwise) {
    constexpr int EDGE = 8;
    const auto slice = [&t](int dx, int dy, int cw, int ch, int counter) {
        t.Copy(dx, dy, cw, ch, CopySource::Picture, dx, dy);
        if (counter % 2 == 0) {
            t.StepWait();
        }
    };
    int l = 0;
    int top = 0;
    int r = t.w;
    int b = t.h;
    while (r - l >= 0 && b - top >= 0) {
        if (clockwise) {
            for (int k = l; k <= r - 1; ++k) {
                slice(k, top, 1, EDGE, k);
            }
            for (int y = top; y <= b; ++y) {
                slice(r - EDGE, y, EDGE, 1, y);
            }
            for (int k = 0; k <= r - l; ++k) {
                slice(r - k, b - EDGE, 1, EDGE, k);
            }
            for (int k = 0; k <= b - top; ++k) {
                slice(l, b - k, EDGE, 1, k);
            }
        } else {
            for (int y = top; y <= b; ++y) {
                slice(l, y, EDGE, 1, y);
            }
            for (int k = l; k <= r - 1; ++k) {
                slice(k, b - EDGE, 1, EDGE, k);
            }
            for (int k = 0; k <= b - top; ++k) {
                slice(r - EDGE, b - k, EDGE, 1, k);
            }
            for (int k = 0; k <= r - l; ++k) {
                slice(r - k, top, 1, EDGE, k);
            }
        }
        l += EDGE;
        top += EDGE;
        r -= EDGE;
        b -= EDGE;
    }
}
