#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

void Row(CTransition& t, int y) {
    t.Copy(0, y, t.w, 1, CopySource::Picture, 0, y);
}
void Column(CTransition& t, int x) {
    t.Copy(x, 0, 1, t.h, CopySource::Picture, x, 0);
}

} // namespace

void Wipe(CTransition& t, Heading heading) {
    const bool rows = heading == Heading::Down || heading == Heading::Up;
    const int count = rows ? t.h : t.w;
    const bool forward = heading == Heading::Down || heading == Heading::Right;
    for (int i = 0; i < count; ++i) {
        const int line = forward ? i : count - 1 - i;
        if (rows) {
            Row(t, line);
        } else {
            Column(t, line);
        }
        t.StepWait();
    }
}

void Blinds(CTransition& t, bool rows) {
    constexpr int band = 16;
    const int bands = (rows ? t.h : t.w) / band;
    for (int m = 0; m < band; ++m) {
        for (int b = 0; b <= bands; ++b) {
            if (rows) {
                Row(t, band * b + m);
            } else {
                Column(t, band * b + m);
            }
            t.StepWait();
        }
    }
}
