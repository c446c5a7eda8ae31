#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

void Line(CTransition& t, bool rows, int at) {
    if (rows) {
        t.Copy(0, at, t.w, 1, CopySource::Picture, 0, at);
    } else {
        t.Copy(at, 0, 1, t.h, CopySource::Picture, at, 0);
    }
}

} // namespace

void CloseIn(CTransition& t, bool rows) {
    const int extent = rows ? t.h : t.w;
    for (int i = 0;; ++i) {
        Line(t, rows, i);
        if (i > 0) {
            Line(t, rows, extent - i);
        }
        t.StepWait();
        if (2 * i + 2 > extent) {
            return;
        }
    }
}

void OpenOut(CTransition& t, bool rows) {
    const int extent = rows ? t.h : t.w;
    const int middle = extent / 2;
    for (int i = 0; middle - i >= 0 || middle + i < extent; ++i) {
        Line(t, rows, middle - i);
        if (i > 0) {
            Line(t, rows, middle + i);
        }
        t.StepWait();
    }
    if (!rows) {
        t.FullCopy();
    }
}
