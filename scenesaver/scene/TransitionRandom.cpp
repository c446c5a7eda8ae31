#include "scene/RandomRange.h"
#include "scene/SceneThread.h"
#include "scene/Transition.h"
#include "scene/TransitionFamilies.h"

#include <utility>
#include <vector>

namespace {

// 0 to count - 1 in an order drawn from the effect's random source. Each draw
// picks among the numbers not yet taken, so every number comes exactly once
// and no draw can index past the end.
std::vector<int> RandomOrder(int count) {
    std::vector<int> left(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        left[static_cast<std::size_t>(i)] = i;
    }
    CRandomRange random(TickCount());
    std::vector<int> order;
    order.reserve(left.size());
    while (!left.empty()) {
        const auto pick = static_cast<std::size_t>(random.Next()) % left.size();
        order.push_back(left[pick]);
        left[pick] = left.back();
        left.pop_back();
    }
    return order;
}

} // namespace

void RandomLines(CTransition& t, bool rows) {
    for (const int line : RandomOrder(rows ? t.h : t.w)) {
        if (rows) {
            t.Copy(0, line, t.w, 1, CopySource::Picture, 0, line);
        } else {
            t.Copy(line, 0, 1, t.h, CopySource::Picture, line, 0);
        }
        t.StepWait();
    }
}

void Dissolve(CTransition& t, int cell) {
    const int columns = (t.w + cell - 1) / cell;
    const int rows = (t.h + cell - 1) / cell;
    const bool waits = cell == 8;
    for (const int k : RandomOrder(columns * rows)) {
        if (t.IsStopping()) {
            return;
        }
        const int x = k / rows * cell;
        const int y = k % rows * cell;
        t.Copy(x, y, cell, cell, CopySource::Picture, x, y);
        if (waits) {
            t.StepWait();
        }
    }
}
