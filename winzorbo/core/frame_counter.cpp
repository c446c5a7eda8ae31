#include "core/frame_counter.h"

std::atomic<int> frame_counter{0};

void tick() {
    frame_counter.fetch_add(1, std::memory_order_relaxed);
}
