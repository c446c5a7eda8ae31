#pragma once

#include <algorithm>

// Two amounts that grow from 0 to their ends in the same step: the shorter
// one by a pixel a step, the longer by their ratio, in single precision and
// truncated. A zero end stays 0 while the other grows by a pixel a step.
class ProportionalSteps {
public:
    ProportionalSteps(int endX, int endY)
        : endX(endX), endY(endY),
          steps(std::min(endX, endY) > 0 ? std::min(endX, endY) : std::max(endX, endY)) {}

    // The last step index; steps run from 0 to Last() inclusive.
    int Last() const { return steps; }
    int X(int i) const { return At(i, endX); }
    int Y(int i) const { return At(i, endY); }

private:
    int At(int i, int end) const {
        if (i >= steps) {
            return end;
        }
        const float rate = static_cast<float>(end) / static_cast<float>(steps);
        return static_cast<int>(static_cast<float>(i) * rate);
    }

    int endX;
    int endY;
    int steps;
};
