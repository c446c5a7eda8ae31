#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A four-channel ProTracker module ("M.K.", 31 instruments) assembled in
// memory.
struct ModuleNote {
    int note = -1;      // semitones from C-1 (0..35), -1 for none
    int instrument = 0; // 1..31, 0 for none
    int effect = 0;     // 0x0..0xF
    int parameter = 0;  // 0x00..0xFF
};

struct ModuleInstrument {
    std::string name;
    std::vector<std::int8_t> data; // even length
    int volume = 64;
    int loop_start = 0; // in bytes, even; loop_length 0 means no loop
    int loop_length = 0;
};

using ModuleRow = std::array<ModuleNote, 4>;
using ModulePattern = std::array<ModuleRow, 64>;

struct Module {
    std::string title;
    std::vector<ModuleInstrument> instruments; // at most 31
    std::vector<ModulePattern> patterns;
    std::vector<int> order; // at most 128
};

std::vector<std::uint8_t> module_file(const Module& module);
