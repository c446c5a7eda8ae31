#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A small playfield file assembled field by field, so each test states only
// what it is about.
struct PlayfieldBytes {
    std::string magic = "IZRB";
    std::uint8_t list = 0;
    std::string swedish = "Provbana";
    std::string english = "Test field";
    std::string datafile = "tiles";
    int width = 4;
    int height = 3;
    std::vector<std::uint8_t> scenery; // empty: all 0
    // Pairs per row; every row is completed with skips to the width.
    std::vector<std::vector<std::pair<int, int>>> placements;

    // Both start positions in the last row when it has no pairs of its own.
    bool default_starts = true;

    std::vector<std::uint8_t> bytes() const;
};

// A temporary program folder with "scn" holding "tiles.dat": MUSIC, BAK,
// scenery tiles 1..3, FAST with solid tiles 0..2, PAL. Removed at the end.
class PlayfieldFolder {
public:
    PlayfieldFolder();
    ~PlayfieldFolder();
    const std::string& path() const { return path_; }
    void write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const;
    void write_playfield(const std::string& base, const PlayfieldBytes& playfield) const {
        write("scn/" + base + ".zrb", playfield.bytes());
    }

private:
    std::string path_;
};

// The main datafile the builder made, loaded once for all tests.
void load_built_zorbo_data();
