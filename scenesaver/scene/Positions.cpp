#include "scene/Positions.h"

#include "scene/Placement.h"
#include "scene/RandomRange.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<int>::min();
constexpr std::int64_t kHighest = std::numeric_limits<int>::max();

// Stored steps and coordinates are 32-bit and may be anything a hostile block
// holds, so motions are computed in 64 bits and held to the coordinate range.
// True when the value had to be held.
bool HoldToRange(std::int64_t value, int& out) {
    out = static_cast<int>(std::clamp(value, kLowest, kHighest));
    return value != out;
}

struct Axis {
    int screen;  // S
    int size;    // the picture's extent along the axis
    int modulus; // M
};

// Mode 4: a value that keeps the picture wholly on screen. Without room for
// even one such value (the picture as large as the screen, or one pixel
// smaller, which leaves no integer strictly between the bounds) the picture
// goes to 0 instead of drawing for ever.
int RandomOnScreen(CRandomRange& random, const Axis& axis, int value) {
    const std::int64_t room = static_cast<std::int64_t>(axis.screen) - axis.size;
    if (room <= 1) {
        return 0;
    }
    std::int64_t v = value;
    do {
        v = ((random.Next() + v) % axis.modulus) - axis.size;
    } while (!(0 < v && v < room));
    return static_cast<int>(v);
}

int Coordinate(std::uint32_t mode, CRandomRange& random, const Axis& axis, int value, int previous,
               bool first) {
    switch (mode) {
    case modeZero:
        return 0;
    case modeCentred:
        return axis.screen / 2 - axis.size / 2;
    case modeRightAligned:
        return axis.screen - axis.size;
    case modeRandom: {
        const std::int64_t base = first ? random.Next() : random.Next() + std::int64_t{previous};
        return static_cast<int>(base % axis.modulus - axis.size);
    }
    case modeRandomOnScreen:
        return RandomOnScreen(random, axis, value);
    default:
        return value;
    }
}

void SignToward(std::int32_t& step, int from, int to) {
    // The most negative step has no positive counterpart; the largest
    // positive one stands for it.
    if ((to < from && step > 0) || (from < to && step < 0)) {
        HoldToRange(-std::int64_t{step}, step);
    }
}

bool Holds(std::uint32_t test, int current, int bound) {
    switch (test) {
    case endGreater:
        return current > bound;
    case endLess:
        return current < bound;
    case endEqual:
        return current == bound;
    default:
        return current != bound;
    }
}

bool Reached(int current, int end, int step) {
    return step > 0 ? current >= end : current <= end;
}

} // namespace

void ComputePositions(CPlacement& p, int w, int h, QSize screen) {
    p.m_seed += 100;
    CRandomRange random(TickCount() + p.m_seed);
    random.SetRange(-5000, 5000);
    const bool allStored = p.m_mode[0] == modeStored && p.m_mode[1] == modeStored &&
                           p.m_mode[2] == modeStored && p.m_mode[3] == modeStored;
    if (!p.m_freeMotion && !allStored) {
        // The modulus stays positive even for a picture of no size.
        const Axis x{screen.width(), w, std::max(1, screen.width() + w)};
        const Axis y{screen.height(), h, std::max(1, screen.height() + h)};
        p.m_start.x = Coordinate(p.m_mode[0], random, x, p.m_start.x, 0, true);
        p.m_start.y = Coordinate(p.m_mode[1], random, y, p.m_start.y, p.m_start.x, false);
        p.m_end.x = Coordinate(p.m_mode[2], random, x, p.m_end.x, p.m_start.y, false);
        p.m_end.y = Coordinate(p.m_mode[3], random, y, p.m_end.y, p.m_end.x, false);
    }
    p.m_horizontal = p.m_start.x != p.m_end.x ? TRUE : FALSE;
    SignToward(p.m_step.x, p.m_start.x, p.m_end.x);
    SignToward(p.m_step.y, p.m_start.y, p.m_end.y);
    p.m_current = p.m_start;
}

bool Advance(CPlacement& p) {
    if (p.m_freeMotion) {
        // A motion that reaches the end of the coordinate range ends there,
        // whatever its end tests say: they might never hold.
        const bool heldX = HoldToRange(std::int64_t{p.m_current.x} + p.m_step.x, p.m_current.x);
        const bool heldY = HoldToRange(std::int64_t{p.m_current.y} + p.m_step.y, p.m_current.y);
        const bool x = Holds(p.m_xEndTest, p.m_current.x, p.m_endBound.x);
        const bool y = Holds(p.m_yEndTest, p.m_current.y, p.m_endBound.y);
        return heldX || heldY || (p.m_bothTests ? x && y : x || y);
    }
    if (p.m_horizontal) {
        // A zero step would never get there: the motion ends where it is.
        if (p.m_step.x == 0) {
            return true;
        }
        // Past the range is past the end too, which lies inside it.
        HoldToRange(std::int64_t{p.m_current.x} + p.m_step.x, p.m_current.x);
        // Each difference takes 33 bits, so their product needs more than 64.
        __extension__ using Wide = __int128;
        const Wide run = std::int64_t{p.m_end.x} - p.m_start.x;
        const Wide rise = std::int64_t{p.m_end.y} - p.m_start.y;
        const Wide y = p.m_end.y + rise * (std::int64_t{p.m_current.x} - p.m_end.x) / run;
        p.m_current.y = static_cast<int>(std::clamp<Wide>(y, kLowest, kHighest));
        return Reached(p.m_current.x, p.m_end.x, p.m_step.x);
    }
    HoldToRange(std::int64_t{p.m_current.y} + p.m_step.y, p.m_current.y);
    if (p.m_start.y == p.m_end.y || p.m_step.y == 0) {
        return true;
    }
    p.m_current.x = p.m_end.x;
    return Reached(p.m_current.y, p.m_end.y, p.m_step.y);
}
