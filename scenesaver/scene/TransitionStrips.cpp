#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

constexpr int STRIP = 8;
constexpr int WAIT_EVERY = 10;

// Strip F starts at 8F, or for strips counted from the far edge at the
// extent minus 8F, so that strip 0 lies just beyond that edge.
struct Strips {
    int across; // the extent the strips are laid along
    bool fromFarEdge;
    int Count() const { return across / STRIP + (fromFarEdge ? 2 : 1); }
    int Edge(int f) const { return fromFarEdge ? across - STRIP * f : STRIP * f; }
};

} // namespace

void AlternatingStrips(CTransition& t, bool columns, bool fromFarEdge) {
    const Strips strips{columns ? t.w : t.h, fromFarEdge};
    const int along = columns ? t.h : t.w;
    for (int f = 0; f < strips.Count(); ++f) {
        const int edge = strips.Edge(f);
        for (int o = 0; o < along; ++o) {
            const int at = f % 2 == 0 ? o : along - 1 - o;
            if (columns) {
                t.Copy(edge, at, STRIP, 1, CopySource::Picture, edge, at);
            } else {
                t.Copy(at, edge, 1, STRIP, CopySource::Picture, at, edge);
            }
            if (o % WAIT_EVERY == 0) {
                t.StepWait();
            }
        }
    }
}

void AlternatingPushes(CTransition& t, bool columns, bool fromFarEdge) {
    t.TakeOldContent();
    const Strips strips{columns ? t.w : t.h, fromFarEdge};
    const int along = columns ? t.h : t.w;
    for (int f = 0; f < strips.Count(); ++f) {
        const int e = strips.Edge(f);
        const bool forward = f % 2 == 0;
        for (int o = 0; o <= along; ++o) {
            const int rest = along - o;
            if (columns && forward) {
                t.Copy(e, 0, STRIP, o, CopySource::Picture, e, rest);
                t.Copy(e, o, STRIP, rest, CopySource::OldContent, e, 0);
            } else if (columns) {
                t.Copy(e, rest, STRIP, o, CopySource::Picture, e, 0);
                t.Copy(e, 0, STRIP, rest, CopySource::OldContent, e, o);
            } else if (forward) {
                t.Copy(0, e, o, STRIP, CopySource::Picture, rest, e);
                t.Copy(o, e, rest, STRIP, CopySource::OldContent, 0, e);
            } else {
                t.Copy(rest, e, o, STRIP, CopySource::Picture, 0, e);
                t.Copy(0, e, rest, STRIP, CopySource::OldContent, o, e);
            }
            if (o % WAIT_EVERY == 0) {
                t.StepWait();
            }
        }
    }
}
