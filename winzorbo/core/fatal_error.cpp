#include "core/fatal_error.h"

#include "core/cp1252.h"

#include <allegro.h>
#include <cstdlib>
#include <string>

void fatal_error(std::string_view cp1252_message) {
    std::string text = cp1252_to_utf8(cp1252_message);
    // Allegro recodes a message into 8-bit text before it reaches the
    // desktop's message box. Declaring the UTF-8 bytes as plain 8-bit text
    // makes that a copy, so the box receives UTF-8.
    set_uformat(U_ASCII);
    allegro_message("%s", text.c_str());
    allegro_exit();
    std::exit(1);
}
