#include "content/map_compiler.h"

#include "core/cp1252.h"
#include "playfield/playfield_file.h"

#include <cstring>
#include <map>
#include <sstream>

namespace {
struct Legend {
    int scenery; // -1: backdrop chosen by position
    int code;    // placement code, -1 for none
    int parameter;
};

const std::map<char, Legend>& legend() {
    static const std::map<char, Legend> table = {
        {'.', {-1, -1, 0}},
        {' ', {-1, -1, 0}},
        {'#', {-1, place_solid, 0}},
        {'=', {-1, place_solid, 1}},
        {':', {scenery_window, -1, 0}},
        {'-', {scenery_pipe_across, -1, 0}},
        {'|', {scenery_pipe_down, -1, 0}},
        {'v', {scenery_vines, -1, 0}},
        {'x', {scenery_girder, -1, 0}},
        {'*', {scenery_crystal, -1, 0}},
        {'~', {255, place_water, 0}},
        {'w', {-1, place_water, 1}},
        {'%', {254, -1, 0}},
        {'<', {-1, place_conveyor, 0}},
        {'>', {-1, place_conveyor, 1}},
        {'R', {-1, place_bumper, 0}},
        {'L', {-1, place_bumper, 1}},
        {'U', {-1, place_bumper, 2}},
        {'D', {-1, place_bumper, 3}},
        {'J', {-1, place_bumper, 4}},
        {'K', {-1, place_bumper, 5}},
        {'N', {-1, place_bumper, 6}},
        {'M', {-1, place_bumper, 7}},
        {'A', {-1, place_base, 0}},
        {'B', {-1, place_base, 1}},
        {'C', {-1, place_base, 2}},
        {'1', {-1, place_start, 0}},
        {'2', {-1, place_start, 1}},
        {'S', {255, place_swimmer, 0}},
        {'O', {-1, place_ornament, 0}},
        {'X', {-1, place_bomb, 0}},
        {'H', {-1, place_hopper, 0}},
        {'c', {-1, place_carrier, 0}},
    };
    return table;
}

char at(const MapSource& map, int column, int row) {
    if (row < 0 || row >= static_cast<int>(map.rows.size())) {
        return '#'; // beyond the top and bottom is rock
    }
    const std::string& line = map.rows[static_cast<std::size_t>(row)];
    int width = static_cast<int>(line.size());
    return line[static_cast<std::size_t>(((column % width) + width) % width)];
}

bool solid(char c) {
    return c == '#' || c == '=';
}

bool standing_on_ground(const MapSource& map, int column, int row) {
    return solid(at(map, column, row + 1));
}

int backdrop_variant(int column, int row) {
    unsigned h = static_cast<unsigned>(column) * 73856093u ^ static_cast<unsigned>(row) * 19349663u;
    h = (h ^ (h >> 13)) * 0x5bd1e995u;
    h ^= h >> 15;
    // Mostly the plain backdrop, now and then a variant.
    int pick = static_cast<int>(h % 16);
    return scenery_backdrop + (pick < 10 ? 0 : 1 + pick % 3);
}

void put_name(std::vector<std::uint8_t>& out, const std::string& utf8, std::size_t field) {
    std::string text = utf8_to_cp1252(utf8);
    for (std::size_t i = 0; i < field; ++i) {
        out.push_back(i < text.size() && i + 1 < field ? static_cast<std::uint8_t>(text[i]) : 0);
    }
}
} // namespace

MapSource parse_map(const std::string& text, std::vector<std::string>& problems) {
    MapSource map;
    std::istringstream in(text);
    std::string line;
    bool in_rows = false;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (in_rows) {
            if (!line.empty()) {
                map.rows.push_back(line);
            }
            continue;
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        std::string rest;
        std::getline(fields >> std::ws, rest);
        if (key == "map") {
            in_rows = true;
        } else if (key == "magic") {
            map.magic = rest;
        } else if (key == "list") {
            map.special = rest == "special";
        } else if (key == "swedish") {
            map.swedish_name = rest;
        } else if (key == "english") {
            map.english_name = rest;
        } else if (key == "datafile") {
            map.datafile = rest;
        } else if (key == "theme") {
            map.theme = rest;
        } else if (key == "music") {
            std::istringstream music(rest);
            std::string mode;
            music >> map.music.seed >> map.music.tempo >> map.music.root >> mode;
            map.music.minor = mode == "minor";
        } else {
            problems.push_back("line " + std::to_string(number) + ": unknown key " + key);
        }
    }
    return map;
}

void check_map(const MapSource& map, std::vector<std::string>& problems) {
    if (map.rows.empty()) {
        problems.push_back("no map rows");
        return;
    }
    std::size_t width = map.rows[0].size();
    if (width == 0 || width > 255 || map.rows.size() > 255) {
        problems.push_back("map must be 1..255 cells each way");
    }
    if (map.datafile.empty() || map.datafile.size() > 9) {
        problems.push_back("datafile name must have 1..9 characters");
    }
    if (map.magic != "IZRB" && map.magic != "CZRB") {
        problems.push_back("magic must be IZRB or CZRB");
    }
    int starts = 0;
    int bases[3] = {};
    for (std::size_t r = 0; r < map.rows.size(); ++r) {
        const std::string& row = map.rows[r];
        if (row.size() != width) {
            problems.push_back("row " + std::to_string(r) + " is " + std::to_string(row.size()) +
                               " wide, not " + std::to_string(width));
            continue;
        }
        for (std::size_t c = 0; c < width; ++c) {
            char ch = row[c];
            int column = static_cast<int>(c), line = static_cast<int>(r);
            std::string where = " at row " + std::to_string(r) + ", column " + std::to_string(c);
            if (!legend().count(ch)) {
                problems.push_back(std::string("unknown map character '") + ch + "'" + where);
            }
            if ((r == 0 || r + 1 == map.rows.size()) && !solid(ch)) {
                problems.push_back("top and bottom rows must be solid" + where);
            }
            if ((ch == '1' || ch == '2')) {
                ++starts;
                if (!standing_on_ground(map, column, line)) {
                    problems.push_back("start position not on ground" + where);
                }
            }
            if (ch >= 'A' && ch <= 'C') {
                ++bases[ch - 'A'];
                for (int dc = -1; dc <= 1; ++dc) {
                    if (!solid(at(map, column + dc, line + 2)) ||
                        solid(at(map, column + dc, line)) ||
                        solid(at(map, column + dc, line + 1))) {
                        problems.push_back("base needs open 3x2 cells on ground" + where);
                        break;
                    }
                }
            }
        }
    }
    // Sideways the playfield wraps: leaving at the left puts the rocket in
    // the last two columns, leaving at the right in columns 1 and 2. Both
    // must be open wherever the edge can be crossed.
    for (std::size_t r = 0; r < map.rows.size(); ++r) {
        int line = static_cast<int>(r), last = static_cast<int>(width) - 1;
        bool left_blocked = solid(at(map, last - 1, line)) || solid(at(map, last, line));
        bool right_blocked = solid(at(map, 1, line)) || solid(at(map, 2, line));
        if ((!solid(at(map, 0, line)) && left_blocked) ||
            (!solid(at(map, last, line)) && right_blocked)) {
            problems.push_back("crossing the side at row " + std::to_string(r) + " ends in rock");
        }
    }
    if (starts != 2) {
        problems.push_back("need exactly one '1' and one '2'");
    }
    bool bases_ok = (bases[0] == 0 && bases[1] == 0 && bases[2] == 0) ||
                    (bases[0] == 1 && bases[1] == 1 && bases[2] <= 1);
    if (!bases_ok) {
        problems.push_back("bases must be none, A and B, or A, B and C");
    }
}

std::vector<std::uint8_t> compile_map(const MapSource& map) {
    int width = static_cast<int>(map.rows[0].size());
    int height = static_cast<int>(map.rows.size());
    std::vector<std::uint8_t> out(map.magic.begin(), map.magic.end());
    out.push_back(map.special ? 1 : 0);
    put_name(out, map.swedish_name, 26);
    put_name(out, map.english_name, 26);
    for (std::size_t i = 0; i < 10; ++i) {
        out.push_back(i < map.datafile.size() ? static_cast<std::uint8_t>(map.datafile[i]) : 0);
    }
    out.push_back(static_cast<std::uint8_t>(width));
    out.push_back(static_cast<std::uint8_t>(height));
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const Legend& entry = legend().at(at(map, c, r));
            int scenery = entry.scenery >= 0 ? entry.scenery : backdrop_variant(c, r);
            out.push_back(static_cast<std::uint8_t>(scenery));
        }
    }
    for (int r = 0; r < height; ++r) {
        int skip = 0;
        auto flush = [&] {
            while (skip > 0) {
                int n = skip > 255 ? 255 : skip;
                out.push_back(place_skip);
                out.push_back(static_cast<std::uint8_t>(n));
                skip -= n;
            }
        };
        for (int c = 0; c < width; ++c) {
            char ch = at(map, c, r);
            const Legend& entry = legend().at(ch);
            if (entry.code < 0) {
                ++skip;
                continue;
            }
            flush();
            int parameter = entry.parameter;
            if (entry.code == place_solid) {
                int mask = (solid(at(map, c, r - 1)) ? 1 : 0) | (solid(at(map, c + 1, r)) ? 2 : 0) |
                           (solid(at(map, c, r + 1)) ? 4 : 0) | (solid(at(map, c - 1, r)) ? 8 : 0);
                parameter = entry.parameter * solid_tiles_per_style + solid_tile_for_mask(mask);
            }
            out.push_back(static_cast<std::uint8_t>(entry.code));
            out.push_back(static_cast<std::uint8_t>(parameter));
        }
        flush();
    }
    return out;
}
