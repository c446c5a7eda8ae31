#pragma once

#include "scene/SceneValues.h"

class CColorSpec;

// The colour of the block for this run: the stored one, or with random set a
// new draw (red, green and blue each from 0 to 255) at every call.
COLORREF ResolveColor(CColorSpec& color);
