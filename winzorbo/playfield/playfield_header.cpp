#include "playfield/playfield_header.h"

#include <cstring>

namespace {
std::string field_text(const std::uint8_t* field, std::size_t size) {
    std::size_t length = 0;
    while (length + 1 < size && field[length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(field), length);
}
} // namespace

bool datafile_name_usable(const std::uint8_t* field) {
    const void* end = std::memchr(field, 0, playfield_datafile_field);
    if (!end) {
        return false;
    }
    std::string name(reinterpret_cast<const char*>(field),
                     static_cast<const std::uint8_t*>(end) - field);
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find("..") == std::string::npos;
}

std::optional<PlayfieldHeader> read_playfield_header(const std::uint8_t* data, std::size_t size) {
    if (size < playfield_header_size) {
        return std::nullopt;
    }
    PlayfieldHeader header;
    if (std::memcmp(data, "IZRB", 4) == 0) {
        header.seasonal = false;
    } else if (std::memcmp(data, "CZRB", 4) == 0) {
        header.seasonal = true;
    } else {
        return std::nullopt;
    }
    header.special = data[4] != 0;
    header.swedish_name = field_text(data + 5, playfield_name_field);
    header.english_name = field_text(data + 31, playfield_name_field);
    return header;
}
