#include "playfield/rocket.h"

Rocket rockets[2];
