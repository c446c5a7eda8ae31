#pragma once

#include "plat/Colour.h"

// The colours new notes take in turn. The first note of a run starts at a
// random place in the cycle; each later one takes the next colour.
plat::Colour NextNoteColour();
// Forgets the place in the cycle, as at the start of a run.
void ResetNoteColourCycle();
