#pragma once

#include "content/datafile_writer.h"

#include <vector>

constexpr int font_first_character = 32;
constexpr int font_last_character = 255;
constexpr int font_height = 16;

// The game's font: characters 32..255 of Windows-1252, proportional, 16
// pixels high. Shapes come from Allegro's own 8x8 font (looked up by Unicode
// code point), doubled with edge-smoothing (Scale2x) and trimmed to their
// ink; the few code page signs it lacks borrow a look-alike.
std::vector<Glyph> make_font_glyphs();
