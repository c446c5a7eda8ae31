#include "core/waiting.h"

#include "core/frame_counter.h"

#include <allegro.h>
#include <atomic>

namespace {
WaitStep replacement = nullptr;
// Set from the window system's thread, read by the program thread.
std::atomic<bool> close_wanted{false};

void close_button_pressed() {
    close_wanted = true;
}
} // namespace

void wait_a_moment() {
    if (replacement) {
        replacement();
    } else {
        rest(1);
    }
}

void start_ticks(int milliseconds) {
    if (!replacement) {
        install_int(tick, milliseconds);
    }
}

void stop_ticks() {
    if (!replacement) {
        remove_int(tick);
    }
}

void replace_wait_step(WaitStep step) {
    replacement = step;
}

void watch_close_button() {
    set_close_button_callback(close_button_pressed);
}

bool close_requested() {
    return close_wanted.load();
}

void request_close() {
    close_wanted = true;
}

void forget_close_request() {
    close_wanted = false;
}

int wait_for_scancode() {
    while (!keypressed()) {
        if (close_requested()) {
            return -1;
        }
        wait_a_moment();
    }
    return readkey() >> 8;
}
