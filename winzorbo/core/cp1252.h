#pragma once

#include <string>
#include <string_view>

// The game's texts are Windows-1252 bytes; the desktop wants UTF-8 wherever a
// text leaves the program (message boxes, the window title).
std::string cp1252_to_utf8(std::string_view text);

// The reverse, for the content builder; characters outside the code page
// become '?'.
std::string utf8_to_cp1252(std::string_view text);

// The Unicode code point of one Windows-1252 byte (the five undefined bytes
// map to themselves, as the system's converter does).
char32_t cp1252_code_point(unsigned char byte);
