#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

namespace {

bool Vertical(Heading heading) {
    return heading == Heading::Down || heading == Heading::Up;
}

// The k pixels of the picture that have entered, seen from the edge it enters
// at: the picture's far end comes first.
void EnteredPicture(CTransition& t, Heading heading, int k) {
    const int w = t.w;
    const int h = t.h;
    switch (heading) {
    case Heading::Down:
        t.Copy(0, 0, w, k, CopySource::Picture, 0, h - k);
        break;
    case Heading::Up:
        t.Copy(0, h - k, w, k, CopySource::Picture, 0, 0);
        break;
    case Heading::Left:
        t.Copy(w - k, 0, k, h, CopySource::Picture, 0, 0);
        break;
    case Heading::Right:
        t.Copy(0, 0, k, h, CopySource::Picture, w - k, 0);
        break;
    }
}

// The old content moved k pixels on in the heading, its leading part gone.
void MovedOldContent(CTransition& t, Heading heading, int k) {
    const int w = t.w;
    const int h = t.h;
    switch (heading) {
    case Heading::Down:
        t.Copy(0, k, w, h - k, CopySource::OldContent, 0, 0);
        break;
    case Heading::Up:
        t.Copy(0, 0, w, h - k, CopySource::OldContent, 0, k);
        break;
    case Heading::Left:
        t.Copy(0, 0, w - k, h, CopySource::OldContent, k, 0);
        break;
    case Heading::Right:
        t.Copy(k, 0, w - k, h, CopySource::OldContent, 0, 0);
        break;
    }
}

// The picture's row or column that the moving old content has just left.
void UncoveredLine(CTransition& t, Heading heading, int k) {
    const int w = t.w;
    const int h = t.h;
    switch (heading) {
    case Heading::Down:
        t.Copy(0, k - 1, w, 1, CopySource::Picture, 0, k - 1);
        break;
    case Heading::Up:
        t.Copy(0, h - k, w, 1, CopySource::Picture, 0, h - k);
        break;
    case Heading::Left:
        t.Copy(w - k, 0, 1, h, CopySource::Picture, w - k, 0);
        break;
    case Heading::Right:
        t.Copy(k - 1, 0, 1, h, CopySource::Picture, k - 1, 0);
        break;
    }
}

int Extent(const CTransition& t, Heading heading) {
    return Vertical(heading) ? t.h : t.w;
}

} // namespace

void SlideIn(CTransition& t, Heading heading) {
    for (int k = 0; k <= Extent(t, heading); ++k) {
        EnteredPicture(t, heading, k);
        t.StepWait();
    }
}

void PushIn(CTransition& t, Heading heading) {
    t.TakeOldContent();
    for (int k = 0; k <= Extent(t, heading); ++k) {
        EnteredPicture(t, heading, k);
        MovedOldContent(t, heading, k);
        t.StepWait();
    }
}

void Uncover(CTransition& t, Heading heading) {
    t.TakeOldContent();
    for (int k = 1; k <= Extent(t, heading); ++k) {
        MovedOldContent(t, heading, k);
        UncoveredLine(t, heading, k);
        t.StepWait();
    }
}
