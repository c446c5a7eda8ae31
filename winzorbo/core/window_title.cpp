#include "core/window_title.h"

#include "core/cp1252.h"

#include <allegro.h>

namespace {
std::string current_title;
}

void show_window_title(std::string_view cp1252_title) {
    current_title = std::string(cp1252_title);
    // The uformat is plain 8-bit text, so Allegro hands these bytes to the
    // window system as they are.
    set_window_title(cp1252_to_utf8(cp1252_title).c_str());
}

const std::string& window_title() {
    return current_title;
}
