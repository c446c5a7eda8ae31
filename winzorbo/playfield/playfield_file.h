#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A whole playfield file in memory, checked before anything is built from it.
constexpr std::size_t max_playfield_file_size = 1 << 20;

enum PlacementCode : std::uint8_t {
    place_skip = 0,
    place_solid = 2,
    place_water = 10,
    place_conveyor = 11,
    place_bumper = 12,
    place_base = 13,
    place_swimmer = 14,
    place_ornament = 15,
    place_bomb = 16,
    place_hopper = 17,
    place_carrier = 18,
    place_start = 255,
};

struct PlayfieldLayout {
    int width = 0;
    int height = 0;
    std::string datafile_name;
    const std::uint8_t* scenery = nullptr; // width * height bytes, row by row
};

// The objects of the playfield's datafile that tiles may come from.
struct TileSource {
    int bak = 0;
    int fast = 0;
    std::vector<bool> is_sprite; // one entry per object
};

// Which message a refused file earns: the datafile cannot be used (18) or the
// playfield file cannot (19).
constexpr int problem_datafile = 18;
constexpr int problem_playfield = 19;

struct PlayfieldProblem {
    int text_id = problem_playfield;
    std::string reason; // for logs and tests
};

// Checks the fixed part: size, magic, names, datafile name, width and height,
// the scenery layer. Fills layout when the file is usable so far.
std::optional<PlayfieldProblem> check_playfield_layout(const std::uint8_t* data, std::size_t size,
                                                       PlayfieldLayout& layout);

// Calls visit(code, parameter, column, row) for every placement pair, in file
// order. Fails when the stream ends before the last row is complete.
using PlacementVisitor = std::function<void(int code, int parameter, int column, int row)>;
bool walk_placements(const std::uint8_t* data, std::size_t size, const PlayfieldLayout& layout,
                     const PlacementVisitor& visit);

// Everything a load would do, checked without doing it: tile indices inside
// the datafile and of sprite kind, bumper, base and player numbers in range,
// bases forming none, two (0, 1) or three, both start positions present, at
// most 1000 actors.
std::optional<PlayfieldProblem> check_playfield(const std::uint8_t* data, std::size_t size,
                                                const TileSource& tiles);

// How many actors a placement pair creates.
int actors_made_by(int code, int parameter);
