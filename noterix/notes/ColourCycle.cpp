#include "notes/ColourCycle.h"

#include "plat/Random.h"

namespace {

// Cyan is in the cycle twice and blue not at all; that is the palette the
// notes have always had.
const plat::Colour cycle[] = {
    plat::Colour::Yellow, plat::Colour::Cyan, plat::Colour::Green, plat::Colour::Magenta,
    plat::Colour::Orange, plat::Colour::Cyan, plat::Colour::White,
};
constexpr int cycleLength = sizeof cycle / sizeof cycle[0];

int cursor = -1;

} // namespace

plat::Colour NextNoteColour() {
    if (cursor < 0) {
        cursor = (plat::Random::Next() >> 8) % cycleLength;
    } else {
        cursor = (cursor + 1) % cycleLength;
    }
    return cycle[cursor];
}

void ResetNoteColourCycle() {
    cursor = -1;
}
