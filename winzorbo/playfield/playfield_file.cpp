#include "playfield/playfield_file.h"

#include "playfield/playfield_header.h"
#include "playfield/playfield_state.h"

#include <cstring>

namespace {
PlayfieldProblem playfield_problem(std::string reason) {
    return PlayfieldProblem{problem_playfield, std::move(reason)};
}

PlayfieldProblem datafile_problem(std::string reason) {
    return PlayfieldProblem{problem_datafile, std::move(reason)};
}

bool tile_usable(const TileSource& tiles, std::int64_t index) {
    return index >= 0 && index < static_cast<std::int64_t>(tiles.is_sprite.size()) &&
           tiles.is_sprite[static_cast<std::size_t>(index)];
}

bool name_terminated(const std::uint8_t* field) {
    return std::memchr(field, 0, playfield_name_field) != nullptr;
}
} // namespace

int actors_made_by(int code, int parameter) {
    switch (code) {
    case place_water:
        return parameter != 0 ? 1 : 0;
    case place_conveyor:
    case place_bumper:
    case place_base:
    case place_swimmer:
    case place_ornament:
    case place_bomb:
    case place_hopper:
    case place_carrier:
        return 1;
    default:
        return 0;
    }
}

std::optional<PlayfieldProblem> check_playfield_layout(const std::uint8_t* data, std::size_t size,
                                                       PlayfieldLayout& layout) {
    if (size > max_playfield_file_size) {
        return playfield_problem("file too large");
    }
    if (size < playfield_scenery_offset) {
        return playfield_problem("file shorter than its header");
    }
    if (std::memcmp(data, "IZRB", 4) != 0 && std::memcmp(data, "CZRB", 4) != 0) {
        return playfield_problem("not a playfield file");
    }
    if (!name_terminated(data + 5) || !name_terminated(data + 31)) {
        return playfield_problem("display name not terminated");
    }
    const std::uint8_t* datafile_field = data + playfield_datafile_offset;
    if (!datafile_name_usable(datafile_field)) {
        return datafile_problem("unusable datafile name");
    }
    layout.datafile_name = reinterpret_cast<const char*>(datafile_field);
    layout.width = data[playfield_size_offset];
    layout.height = data[playfield_size_offset + 1];
    if (layout.width == 0 || layout.height == 0) {
        return playfield_problem("empty playfield");
    }
    std::uint64_t cells = static_cast<std::uint64_t>(layout.width) * layout.height;
    if (playfield_scenery_offset + cells > size) {
        return playfield_problem("scenery layer truncated");
    }
    layout.scenery = data + playfield_scenery_offset;
    return std::nullopt;
}

bool walk_placements(const std::uint8_t* data, std::size_t size, const PlayfieldLayout& layout,
                     const PlacementVisitor& visit) {
    std::size_t position =
        playfield_scenery_offset + static_cast<std::size_t>(layout.width) * layout.height;
    for (int row = 0; row < layout.height; ++row) {
        int column = 0;
        while (column < layout.width) {
            if (position + 2 > size) {
                return false;
            }
            int code = data[position];
            int parameter = data[position + 1];
            position += 2;
            visit(code, parameter, column, row);
            column += code == place_skip ? parameter : 1;
        }
    }
    return true;
}

std::optional<PlayfieldProblem> check_playfield(const std::uint8_t* data, std::size_t size,
                                                const TileSource& tiles) {
    PlayfieldLayout layout;
    if (auto problem = check_playfield_layout(data, size, layout)) {
        return problem;
    }
    for (int cell = 0; cell < layout.width * layout.height; ++cell) {
        int value = layout.scenery[cell];
        if (value >= 1 && value <= 253 && !tile_usable(tiles, std::int64_t{tiles.bak} + value)) {
            return datafile_problem("scenery tile " + std::to_string(value) + " not in datafile");
        }
    }

    std::optional<PlayfieldProblem> problem;
    int actors_needed = 0;
    bool base_seen[max_bases] = {};
    bool start_seen[2] = {};
    auto visit = [&](int code, int parameter, int, int) {
        if (problem) {
            return;
        }
        actors_needed += actors_made_by(code, parameter);
        if (code == place_solid && !tile_usable(tiles, std::int64_t{tiles.fast} + parameter)) {
            problem =
                datafile_problem("solid tile " + std::to_string(parameter) + " not in datafile");
        } else if (code == place_bumper && parameter > 7) {
            problem = playfield_problem("bumper parameter above 7");
        } else if (code == place_base && (parameter >= max_bases || base_seen[parameter])) {
            problem = playfield_problem("bad or repeated base number");
        } else if (code == place_start && parameter > 1) {
            problem = playfield_problem("start position for a third player");
        } else if (actors_needed > max_actors) {
            problem = playfield_problem("more than 1000 actors");
        }
        if (code == place_base && parameter < max_bases) {
            base_seen[parameter] = true;
        }
        if (code == place_start && parameter <= 1) {
            start_seen[parameter] = true;
        }
    };
    if (!walk_placements(data, size, layout, visit)) {
        return playfield_problem("placement layer truncated");
    }
    if (problem) {
        return problem;
    }
    if (!start_seen[0] || !start_seen[1]) {
        return playfield_problem("start position missing");
    }
    // The game kinds know no base, bases 0 and 1, or bases 0, 1 and 2.
    bool bases_valid =
        (!base_seen[0] && !base_seen[1] && !base_seen[2]) || (base_seen[0] && base_seen[1]);
    if (!bases_valid) {
        return playfield_problem("bases must be none, 0 and 1, or 0, 1 and 2");
    }
    return std::nullopt;
}
