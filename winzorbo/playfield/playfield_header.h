#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The first 57 bytes of a playfield file: all the catalogue reads.
constexpr std::size_t playfield_header_size = 57;
constexpr std::size_t playfield_name_field = 26;
constexpr std::size_t playfield_datafile_offset = 57;
constexpr std::size_t playfield_datafile_field = 10;
constexpr std::size_t playfield_size_offset = 67;
constexpr std::size_t playfield_scenery_offset = 69;

struct PlayfieldHeader {
    bool seasonal = false; // "CZRB"
    bool special = false;  // list flag not 0
    std::string swedish_name;
    std::string english_name;
};

// Reads the header; nothing when the bytes are too few or the magic is
// neither "IZRB" nor "CZRB". Names that fill their field without a NUL are
// cut to the field's room for a NUL.
std::optional<PlayfieldHeader> read_playfield_header(const std::uint8_t* data, std::size_t size);

// A datafile name is used to build a path: it must be 1..9 characters and
// may not leave the "scn" folder.
bool datafile_name_usable(const std::uint8_t* field);
