#pragma once

#include <atomic>

// The game's only clock. Allegro's timer thread bumps it, the program thread
// busy-waits on it, so every read must fetch it afresh.
extern std::atomic<int> frame_counter;

// The timer callback: counts one tick and does nothing else.
void tick();
