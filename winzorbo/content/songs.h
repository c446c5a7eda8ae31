#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What makes one tune differ from the next.
struct SongStyle {
    std::string title;
    std::uint32_t seed = 1;
    int speed = 6;   // ticks per row
    int tempo = 125; // beats per minute
    int root = 12;   // key: semitones from C-1 of the bass root
    bool minor = true;
    std::vector<int> progression; // scale degrees (0..6), four per pattern
    int patterns = 4;
    bool busy_drums = true;
};

// A complete module composed from the style, deterministic for its seed.
std::vector<std::uint8_t> compose_song(const SongStyle& style);
