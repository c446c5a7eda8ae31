#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

void Triangles(CTransition& t, bool bottomLeftFirst) {
    const int w = t.w;
    const int h = t.h;
    for (int m = 0; m <= h; ++m) {
        for (int k = 0; k <= m; ++k) {
            const int n = (m - k) * w / h;
            const int lower = h - k - 1;
            const int leftRow = bottomLeftFirst ? lower : k;
            const int rightRow = bottomLeftFirst ? k : lower;
            t.Copy(0, leftRow, n, 1, CopySource::Picture, 0, leftRow);
            t.Copy(w - n, rightRow, n, 1, CopySource::Picture, w - n, rightRow);
        }
        t.StepWait();
    }
    t.FullCopy();
}

void DiagonalBand(CTransition& t, bool fromTopLeft) {
    const int w = t.w;
    const int h = t.h;
    // Single precision, as the band's slope has always been taken.
    const float q = static_cast<float>(w) / static_cast<float>(h);
    const float reach = static_cast<float>(fromTopLeft ? h : h + 1) * q;
    for (int k = 0; reach - static_cast<float>(k / 2) > 0.0F || k <= w; ++k) {
        for (int i = 0; i < h; ++i) {
            const int o = fromTopLeft ? i : i + 1;
            const int row = fromTopLeft ? i : h - o;
            const int x = static_cast<int>(static_cast<float>(o) * q) - k / 2;
            const int n = x + k > w ? w - x : k;
            t.Copy(x, row, n, 1, CopySource::Picture, x, row);
        }
        if (k % 15 == 0) {
            t.StepWait(static_cast<double>(static_cast<int>(t.m_setting) / 2));
        }
    }
}
