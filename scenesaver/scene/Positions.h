#pragma once

#include <QSize>

class CPlacement;

// Sets the placement's coordinates by their modes for a picture of w by h on
// a screen of the given pixel size, the step signs by the direction, and the
// current position to the start.
void ComputePositions(CPlacement& placement, int w, int h, QSize screen);

// One step of the motion; true when the motion is complete.
bool Advance(CPlacement& placement);
