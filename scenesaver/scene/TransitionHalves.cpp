#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

// A copy told along the moving axis: `at` and `length` along it, the other
// axis whole. Rows move along y, columns along x.
void Band(CTransition& t, bool rows, int at, int length, CopySource from, int fromAt) {
    if (rows) {
        t.Copy(0, at, t.w, length, from, 0, fromAt);
    } else {
        t.Copy(at, 0, length, t.h, from, fromAt, 0);
    }
}

} // namespace

void HalvesMeet(CTransition& t, bool rows) {
    const int extent = rows ? t.h : t.w;
    const int half = extent / 2;
    for (int i = 0; i <= half + 1; ++i) {
        Band(t, rows, 0, i, CopySource::Picture, half - i);
        Band(t, rows, extent - i, i, CopySource::Picture, half);
        t.StepWait();
    }
    t.FullCopy();
}

void Split(CTransition& t, bool rows) {
    t.TakeOldContent();
    const int extent = rows ? t.h : t.w;
    const int c = extent / 2;
    const int u = c + 1;
    for (int k = 0; k <= u; ++k) {
        Band(t, rows, 0, u - k, CopySource::OldContent, k);
        Band(t, rows, u - k, 1, CopySource::Picture, u - k);
        if (k + u <= extent) {
            Band(t, rows, k + u, extent - k - u, CopySource::OldContent, u);
            Band(t, rows, c + k, 1, CopySource::Picture, c + k);
        }
        t.StepWait();
    }
}

void Staircase(CTransition& t, bool fromRight, bool topFirst) {
    constexpr int STRIP = 8;
    const int w = t.w;
    const int last = t.h / STRIP;
    const int end = w + STRIP * (last + 1);
    for (int m = 0; m <= end; ++m) {
        for (int j = 0; j <= last; ++j) {
            const int n = m - STRIP * j;
            if (n < 1 || n > w) {
                continue;
            }
            const int y = STRIP * (topFirst ? j : last - j);
            const int x = fromRight ? w - n : 0;
            t.Copy(x, y, n, STRIP, CopySource::Picture, x, y);
        }
        t.StepWait();
    }
}
