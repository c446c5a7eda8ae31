#include "playfield/playfield_loader.h"

#include "core/fatal_error.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/random.h"
#include "core/text_format.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_file.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <cstring>
#include <fstream>
#include <vector>

namespace {
constexpr int water_colour = 253;

int find_named(const DATAFILE* data, int from, const char* prefix) {
    std::size_t length = std::strlen(prefix);
    for (int i = from; data[i].type != DAT_END; ++i) {
        const char* name = get_datafile_property(&data[i], DAT_ID('N', 'A', 'M', 'E'));
        if (name && std::strncmp(name, prefix, length) == 0) {
            return i;
        }
    }
    return -1;
}

// The whole file, unless it cannot be opened or is larger than any playfield
// may be (then nothing is read).
bool read_whole_file(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return false;
    }
    std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > max_playfield_file_size) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(bytes.data()), size);
    return file.gcount() == size;
}

void draw_loading_box(const char* display_name) {
    if (!surface || !game_font) {
        return;
    }
    // The box is drawn in the interface colours, which a fade may have left
    // black.
    set_palette_range(zorbo_object<RGB>(obj_palette_interface), 224, 255, 0);
    std::string message = format_text(text(17), display_name, 256);
    int half = text_length(game_font, message.c_str()) / 2 + 20;
    rectfill(surface, 320 - half, 130, 320 + half, 180, 21);
    rect(surface, 320 - half, 130, 320 + half, 180, 254);
    textout_centre_ex(surface, game_font, message.c_str(), 320, 140, 254, -1);
}

void progress_bar(int left, int row) {
    if (surface) {
        rectfill(surface, 220, 164, left + 100 * row / playfield_height, 174, 225);
    }
}

RLE_SPRITE* playfield_sprite(int index) {
    return static_cast<RLE_SPRITE*>(playfield_data[index].dat);
}

void create_bitmaps() {
    int width = cell_pixels * playfield_width;
    int height = cell_pixels * playfield_height;
    world_bitmap = nullptr;
    background_bitmap = nullptr;
    if (gfx_capabilities & GFX_HW_VRAM_BLIT) {
        world_bitmap = create_video_bitmap(width + 1, height);
        if (world_bitmap) {
            background_bitmap = create_video_bitmap(width + 1, height);
            if (!background_bitmap) {
                background_bitmap = create_bitmap(width, height);
            }
        }
    }
    if (!world_bitmap) {
        world_bitmap = create_bitmap(width, height);
        background_bitmap = create_bitmap(width, height);
    }
    solid_mask = create_bitmap(width, height);
}

// The file check refuses playfields with more actors than the list holds;
// this keeps the list intact should a placement ever slip past it.
int add_actor(int x, int y, int state, int timer) {
    if (actor_count >= max_actors) {
        return -1;
    }
    Actor& actor = actors[actor_count];
    actor = Actor{x, y, timer, state, 0};
    return actor_count++;
}

void scenery_pass(const PlayfieldLayout& layout) {
    for (int row = 0; row < playfield_height; ++row) {
        progress_bar(220, row);
        for (int column = 0; column < playfield_width; ++column) {
            int value = layout.scenery[row * playfield_width + column];
            int x = cell_pixels * column;
            int y = cell_pixels * row;
            Cell& cell = grid[column][row];
            cell = Cell{cell_open, 0};
            if (value >= 1 && value <= 253) {
                draw_rle_sprite(background_bitmap, playfield_sprite(playfield_bak + value), x, y);
            } else if (value == 254) {
                cell.kind = cell_goo;
                int pattern = obj_goo + column % 2 + 2 * (row % 2);
                draw_rle_sprite(background_bitmap, zorbo_object<RLE_SPRITE>(pattern), x, y);
            } else if (value == 255) {
                cell.kind = cell_water;
                rectfill(background_bitmap, x, y, x + 19, y + 19, water_colour);
            }
        }
    }
}

void put_water(int column, int row, int parameter) {
    int x = cell_pixels * column;
    int y = cell_pixels * row;
    if (parameter == 0) {
        rectfill(background_bitmap, x, y, x + 19, y + 19, water_colour);
    } else if (cell_kind(column, row - 1) == cell_water) {
        rectfill(background_bitmap, x, y, x + 19, y + 9, water_colour);
        int state = 12 + zorbo_rand() % 6;
        add_actor(x, y + 10, state, 1 + zorbo_rand() % 4);
    } else {
        rectfill(background_bitmap, x, y + 10, x + 19, y + 19, water_colour);
        int state = 6 + zorbo_rand() % 6;
        add_actor(x, y, state, 1 + zorbo_rand() % 4);
    }
    grid[column][row].kind = cell_water;
}

void put_base(int column, int row, int base) {
    int x = cell_pixels * column;
    int y = cell_pixels * row;
    int index = add_actor(x, y, 34 + 4 * base, 2);
    base_sites[base] = BaseSite{x, y, index};
    for (int c = column - 1; c <= column + 1; ++c) {
        for (int r = row; r <= row + 1; ++r) {
            if (c >= 0 && c < playfield_width && r < playfield_height) {
                grid[c][r].kind = cell_base + base;
            }
        }
    }
    ++base_count;
}

void place(int code, int parameter, int column, int row) {
    int x = cell_pixels * column;
    int y = cell_pixels * row;
    if (column >= playfield_width) {
        return;
    }
    Cell& cell = grid[column][row];
    switch (code) {
    case place_solid: {
        RLE_SPRITE* tile = playfield_sprite(playfield_fast + parameter);
        draw_rle_sprite(background_bitmap, tile, x, y);
        draw_rle_sprite(solid_mask, tile, x, y);
        cell.kind = cell_solid;
        break;
    }
    case place_water:
        put_water(column, row, parameter);
        break;
    case place_conveyor:
        add_actor(x, y + 10, parameter == 0 ? 0 : 3, 1);
        cell.kind = cell_conveyor;
        cell.aux = parameter == 0 ? -1 : 1;
        break;
    case place_bumper: {
        static constexpr int rest_timers[4] = {1999, 2999, 3999, 4999};
        cell.aux = add_actor(x, y, 18 + 2 * parameter, rest_timers[parameter % 4]);
        cell.kind = cell_bumper + parameter;
        break;
    }
    case place_base:
        put_base(column, row, parameter);
        break;
    case place_swimmer:
        add_actor(x, y, 50, 2);
        break;
    case place_ornament:
        add_actor(x, y, 56, 500);
        break;
    case place_bomb:
        add_actor(x - 4, y, 62, 4);
        break;
    case place_hopper:
        add_actor(x, y, 71, 1);
        break;
    case place_carrier:
        add_actor(x, y + 4, zorbo_rand() % 2 == 0 ? 79 : 74, 4);
        break;
    case place_start:
        rockets[parameter].start_x = x;
        rockets[parameter].start_y = y;
        break;
    default:
        break;
    }
}

void draw_signs() {
    if (base_count == 0) {
        return;
    }
    for (int b = 0; b < base_count && b < max_bases; ++b) {
        draw_rle_sprite(background_bitmap, zorbo_object<RLE_SPRITE>(obj_sign0 + b),
                        base_sites[b].x - 10, base_sites[b].y + 28);
    }
}

void copy_controls() {
    for (int p = 0; p < 2; ++p) {
        rockets[p].left = settings.controls[action_left][p];
        rockets[p].right = settings.controls[action_right][p];
        rockets[p].gas = settings.controls[action_gas][p];
        rockets[p].fire = settings.controls[action_fire][p];
    }
}

TileSource tile_source(const DATAFILE* data) {
    TileSource tiles;
    tiles.bak = playfield_bak;
    tiles.fast = playfield_fast;
    for (int i = 0; data[i].type != DAT_END; ++i) {
        tiles.is_sprite.push_back(data[i].type == DAT_RLE_SPRITE &&
                                  static_cast<RLE_SPRITE*>(data[i].dat)->color_depth == 8);
    }
    return tiles;
}
} // namespace

void release_playfield() {
    for (BITMAP** bitmap : {&world_bitmap, &background_bitmap, &solid_mask}) {
        if (*bitmap) {
            destroy_bitmap(*bitmap);
            *bitmap = nullptr;
        }
    }
    if (playfield_data) {
        unload_datafile(playfield_data);
        playfield_data = nullptr;
    }
}

std::optional<PlayfieldFailure> open_playfield(const char* base_name, const char* display_name) {
    return open_playfield_file(data_path(std::string("scn/") + base_name + ".zrb"),
                               data_path("scn"), display_name);
}

std::optional<PlayfieldFailure>
open_playfield_file(const std::string& path, const std::string& folder, const char* display_name) {
    release_playfield();
    draw_loading_box(display_name);

    std::vector<std::uint8_t> bytes;
    if (!read_whole_file(path, bytes)) {
        return PlayfieldFailure{problem_playfield, path};
    }
    PlayfieldLayout layout;
    if (auto problem = check_playfield_layout(bytes.data(), bytes.size(), layout)) {
        return PlayfieldFailure{problem->text_id, path};
    }

    std::string datafile_path = folder + "/" + layout.datafile_name + ".dat";
    playfield_data = load_datafile(datafile_path.c_str());
    if (!playfield_data) {
        return PlayfieldFailure{problem_datafile, datafile_path};
    }
    playfield_bak = find_named(playfield_data, 0, "BAK");
    playfield_fast = playfield_bak < 0 ? -1 : find_named(playfield_data, playfield_bak, "FAST");
    playfield_pal = playfield_fast < 0 ? -1 : find_named(playfield_data, playfield_fast, "PAL");
    // FAST is also the divider column's tile, drawn whether or not the
    // playfield uses it as a solid tile.
    if (playfield_pal < 0 || playfield_data[playfield_pal].type != DAT_PALETTE ||
        playfield_data[playfield_fast].type != DAT_RLE_SPRITE ||
        static_cast<RLE_SPRITE*>(playfield_data[playfield_fast].dat)->color_depth != 8) {
        release_playfield();
        return PlayfieldFailure{problem_datafile, datafile_path};
    }
    if (auto problem = check_playfield(bytes.data(), bytes.size(), tile_source(playfield_data))) {
        release_playfield();
        return PlayfieldFailure{problem->text_id,
                                problem->text_id == problem_datafile ? datafile_path : path};
    }

    base_count = 0;
    actor_count = 0;
    playfield_width = layout.width;
    playfield_height = layout.height;
    create_bitmaps();
    if (!world_bitmap || !background_bitmap || !solid_mask) {
        release_playfield();
        return PlayfieldFailure{problem_datafile, datafile_path};
    }
    clear_to_color(world_bitmap, 0);
    clear_to_color(background_bitmap, 0);
    clear_to_color(solid_mask, 0);
    acquire_bitmap(background_bitmap);
    scenery_pass(layout);
    int progress_row = -1;
    walk_placements(bytes.data(), bytes.size(), layout,
                    [&](int code, int parameter, int column, int row) {
                        if (row != progress_row) {
                            progress_row = row;
                            progress_bar(320, row);
                        }
                        place(code, parameter, column, row);
                    });
    draw_signs();
    release_bitmap(background_bitmap);

    if (surface) {
        clear_bitmap(surface);
    }
    set_palette_range(static_cast<RGB*>(playfield_data[playfield_pal].dat), 0, 223, 0);
    set_palette_range(zorbo_object<RGB>(obj_palette_interface), 224, 255, 0);
    copy_controls();
    blit(background_bitmap, world_bitmap, 0, 0, 0, 0, background_bitmap->w, background_bitmap->h);
    return std::nullopt;
}

int load_playfield(const char* base_name, const char* display_name) {
    if (auto failure = open_playfield(base_name, display_name)) {
        fatal_error(format_text(text(failure->text_id), failure->path, 512));
    }
    return 1;
}
