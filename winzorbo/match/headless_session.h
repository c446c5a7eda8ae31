#pragma once

#include <cstdint>
#include <string>

// A match without a screen, timer or sound device: Allegro without a
// platform driver, a memory surface, the main datafile and texts from the
// program folder. Used by replays, the benchmark and tests.
bool start_headless_session(std::string& error);

// A playfield by base name (in "scn" of the program folder) or by the path
// of a ".zrb" file (its datafile beside it).
bool load_headless_playfield(const std::string& name, std::string& error);

// FNV-1a over the rockets, shots, actors, cameras, scores and the pixels of
// the surface and the world bitmap.
std::uint64_t match_checksum();
