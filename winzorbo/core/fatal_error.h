#pragma once

#include <string_view>

// Every load failure ends the game the same way: the message (Windows-1252,
// shown as UTF-8), allegro_exit and exit code 1.
[[noreturn]] void fatal_error(std::string_view cp1252_message);
