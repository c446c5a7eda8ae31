#include "core/fatal_error.h"

#include "core/cp1252.h"

#include <allegro.h>
#include <cstdlib>
#include <string>

void fatal_error(std::string_view cp1252_message) {
    std::string text = cp1252_to_utf8(cp1252_message);
    // The game switches Allegro to plain 8-bit text after the graphics mode;
    // the message must be read as UTF-8 whatever was set.
    set_uformat(U_UTF8);
    allegro_message("%s", text.c_str());
    allegro_exit();
    std::exit(1);
}
