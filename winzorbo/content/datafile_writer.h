#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BITMAP;
struct RGB;

// One glyph of a monochrome font: rows of bits, most significant bit first,
// (width + 7) / 8 bytes per row.
struct Glyph {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;
};

// Collects objects and writes them as an Allegro datafile through Allegro's
// packfile functions, in the order they were added, each with its NAME.
class DatafileWriter {
public:
    void add_bitmap(const std::string& name, BITMAP* bitmap);
    void add_sprite(const std::string& name, BITMAP* bitmap); // stored run-length encoded
    void add_font(const std::string& name, int first, const std::vector<Glyph>& glyphs);
    void add_palette(const std::string& name, const RGB* palette);
    void add_binary(const std::string& name, std::vector<std::uint8_t> bytes);

    int count() const { return static_cast<int>(objects_.size()); }
    bool write(const std::string& path) const;

private:
    struct Object {
        std::string name;
        int type = 0;
        std::vector<std::uint8_t> data;
    };
    std::vector<Object> objects_;
};
