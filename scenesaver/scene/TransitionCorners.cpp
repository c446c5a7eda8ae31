#include "scene/ProportionalSteps.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

constexpr auto PIC = CopySource::Picture;
constexpr auto OLD = CopySource::OldContent;

} // namespace

void DiagonalSlide(CTransition& t, Corner from) {
    const int w = t.w;
    const int h = t.h;
    const ProportionalSteps steps(w, h);
    for (int i = 0; i <= steps.Last(); ++i) {
        const int x = steps.X(i);
        const int y = steps.Y(i);
        switch (from) {
        case Corner::TopRight:
            t.Copy(w - x, 0, x, y, PIC, 0, h - y);
            break;
        case Corner::BottomRight:
            t.Copy(w - x, h - y, x, y, PIC, 0, 0);
            break;
        case Corner::TopLeft:
            t.Copy(0, 0, x, y, PIC, w - x, h - y);
            break;
        case Corner::BottomLeft:
            t.Copy(0, h - y, x, y, PIC, w - x, 0);
            break;
        }
        t.StepWait();
    }
    if (from != Corner::BottomRight) {
        t.FullCopy();
    }
}

void DiagonalUncover(CTransition& t, Corner toward) {
    t.TakeOldContent();
    const int w = t.w;
    const int h = t.h;
    const ProportionalSteps steps(w, h);
    for (int i = 0; i <= steps.Last(); ++i) {
        const int x = steps.X(i); // how far the old content has gone
        const int y = steps.Y(i);
        switch (toward) {
        case Corner::BottomLeft:
            t.Copy(0, y, w - x, h - y, OLD, x, 0);
            t.Copy(0, 0, w, y, PIC, 0, 0);
            t.Copy(w - x, y, x, h - y, PIC, w - x, y);
            break;
        case Corner::TopLeft:
            t.Copy(0, 0, w - x, h - y, OLD, x, y);
            t.Copy(w - x, 0, x, h, PIC, w - x, 0);
            t.Copy(0, h - y, w - x, y, PIC, 0, h - y);
            break;
        case Corner::BottomRight:
            t.Copy(x, y, w - x, h - y, OLD, 0, 0);
            t.Copy(0, 0, w, y, PIC, 0, 0);
            t.Copy(0, y, x, h - y, PIC, 0, y);
            break;
        case Corner::TopRight:
            t.Copy(x, 0, w - x, h - y, OLD, 0, y);
            t.Copy(0, h - y, w, y, PIC, 0, h - y);
            t.Copy(0, 0, x, h - y, PIC, 0, 0);
            break;
        }
        t.StepWait();
    }
}

void DiagonalPush(CTransition& t, Corner from) {
    t.TakeOldContent();
    const int w = t.w;
    const int h = t.h;
    const ProportionalSteps steps(w, h);
    for (int i = 0; i <= steps.Last(); ++i) {
        const int u = steps.X(i);
        const int v = steps.Y(i); // how far the picture has come in
        switch (from) {
        case Corner::TopRight:
            t.Copy(w - u, 0, u, v, PIC, 0, h - v);
            t.Copy(0, 0, w - u, v, OLD, u, 0);
            t.Copy(w - u, v, u, h - v, OLD, w - u, 0);
            t.Copy(0, v, w - u, h - v, OLD, u, 0);
            break;
        case Corner::BottomRight:
            t.Copy(w - u, h - v, u, v, PIC, 0, 0);
            t.Copy(0, 0, w - u, h - v, OLD, u, v);
            t.Copy(0, h - v, w - u, v, OLD, u, h - v);
            t.Copy(w - u, 0, u, h - v, OLD, w - u, v);
            break;
        case Corner::TopLeft:
            t.Copy(0, 0, u, v, PIC, w - u, h - v);
            t.Copy(u, v, w - u, h - v, OLD, 0, 0);
            t.Copy(u, 0, w - u, v, OLD, 0, 0);
            t.Copy(0, v, u, h - v, OLD, 0, 0);
            break;
        case Corner::BottomLeft:
            t.Copy(0, h - v, u, v, PIC, w - u, 0);
            t.Copy(u, 0, w - u, h - v, OLD, 0, v);
            t.Copy(0, 0, u, h - v, OLD, 0, v);
            t.Copy(u, h - v, w - u, v, OLD, 0, h - v);
            break;
        }
        t.StepWait();
    }
    t.FullCopy();
}

void CornersInward(CTransition& t) {
    const int w = t.w;
    const int h = t.h;
    const int cx = w / 2;
    const int cy = h / 2;
    const ProportionalSteps steps(cx, cy);
    for (int i = 0; i <= steps.Last(); ++i) {
        const int e = steps.X(i);
        const int f = steps.Y(i);
        t.Copy(0, 0, e, f, PIC, cx - e, cy - f);
        t.Copy(2 * cx - e, 0, e, f, PIC, cx, cy - f);
        t.Copy(0, h - f, e, f, PIC, cx - e, cy);
        t.Copy(w - e, h - f, e, f, PIC, cx, cy);
        t.StepWait();
    }
    t.FullCopy();
}

void CornersOutward(CTransition& t) {
    t.TakeOldContent();
    const int w = t.w;
    const int h = t.h;
    const int cx = w / 2;
    const int cy = h / 2;
    const ProportionalSteps steps(cx, cy);
    for (int i = 0; i <= steps.Last(); ++i) {
        const int e = steps.X(i);
        const int f = steps.Y(i);
        t.Copy(cx + e, 0, cx - e, cy - f, OLD, cx, f);
        t.Copy(cx, cy - f, cx, f, PIC, w - cx, cy - f);
        t.Copy(cx, 0, e, cy - f, PIC, cx, 0);
        t.Copy(0, 0, cx - e, cy - f, OLD, e, f);
        t.Copy(cx - e, 0, e, cy, PIC, cx - e, 0);
        t.Copy(0, cy - f, cx - e, f, PIC, 0, cy - f);
        t.Copy(0, cy + f, cx - e, cy - f, OLD, e, h - cy);
        t.Copy(0, cy, cx, f, PIC, 0, h - cy);
        t.Copy(cx - e, cy + f, e, cy - f, PIC, cx - e, h - cy + f);
        t.Copy(cx + e, cy + f, cx - e, cy - f, OLD, w - cx, cy);
        t.Copy(cx, cy, cx, f, PIC, w - cx, h - cy);
        t.Copy(cx, cy + f, e, cy - f, PIC, w - cx, h - cy + f);
        t.StepWait();
    }
    // The cross covers 2 cx by 2 cy: odd sizes keep their last column or row.
    if (w % 2 != 0 || h % 2 != 0) {
        t.FullCopy();
    }
}
