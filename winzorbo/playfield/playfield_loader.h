#pragma once

#include <optional>
#include <string>

struct PlayfieldFailure {
    int text_id = 19; // 18: the graphics datafile, 19: the playfield file
    std::string path;
};

// Loads "scn/<base>.zrb" with its datafile into the grid, the three bitmaps,
// the actor list, the bases and the rockets' start positions and controls.
// On failure nothing stays loaded and the reason is returned.
std::optional<PlayfieldFailure> open_playfield(const char* base_name, const char* display_name);

// The same for a playfield file anywhere, its datafile looked up in folder.
std::optional<PlayfieldFailure>
open_playfield_file(const std::string& path, const std::string& folder, const char* display_name);

// The game's entry: 1 when loaded; any failure ends the program with text 18
// or 19 and the path.
int load_playfield(const char* base_name, const char* display_name);

// Frees the bitmaps and the datafile of the loaded playfield.
void release_playfield();
