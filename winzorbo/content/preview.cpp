#include "content/preview.h"

#include "content/interface_colours.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

#include <algorithm>
#include <allegro.h>
#include <cstring>

namespace fs = std::filesystem;

namespace {
std::string file_name_for(const std::string& title) {
    std::string name;
    for (char ch : title) {
        bool plain = (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
        name += plain ? ch : (ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : '-');
    }
    return name.substr(0, 60);
}

// The sprite an actor shows in its starting state (preview only).
int start_frame(int state) {
    if (state <= 2)
        return obj_conveyor_left;
    if (state <= 5)
        return obj_conveyor_right;
    if (state <= 11)
        return obj_wave_above + state - 6;
    if (state <= 17)
        return obj_wave_below + state - 12;
    if (state <= 33)
        return obj_bumper + (state - 18);
    if (state == 34)
        return obj_flag0;
    if (state == 38)
        return obj_flag1;
    if (state == 42)
        return obj_flag2;
    if (state == 50)
        return obj_swimmer + 4;
    if (state == 56)
        return obj_ornament;
    if (state == 62)
        return obj_bomb;
    if (state == 71)
        return obj_hopper + 4;
    if (state == 74)
        return obj_carrier;
    if (state == 79)
        return obj_carrier + 4;
    return -1;
}
} // namespace

void preview_sheet(const SpriteSheet& sheet, const RGB* palette, const fs::path& folder) {
    constexpr int scale = 3, gap = 6, width = 960;
    int x = gap, y = gap, row_height = 0;
    std::vector<std::pair<int, int>> places;
    for (const NamedSprite& sprite : sheet.sprites) {
        int w = sprite.bitmap->w * scale, h = sprite.bitmap->h * scale;
        if (x + w + gap > width) {
            x = gap;
            y += row_height + gap;
            row_height = 0;
        }
        places.emplace_back(x, y);
        x += w + gap;
        row_height = std::max(row_height, h);
    }
    BITMAP* picture = create_bitmap_ex(8, width, y + row_height + gap);
    clear_to_color(picture, c_grey);
    for (std::size_t i = 0; i < sheet.sprites.size(); ++i) {
        BITMAP* sprite = sheet.sprites[i].bitmap;
        auto [px, py] = places[i];
        rectfill(picture, px, py, px + sprite->w * scale - 1, py + sprite->h * scale - 1,
                 c_grey_dark);
        for (int sy = 0; sy < sprite->h; ++sy) {
            for (int sx = 0; sx < sprite->w; ++sx) {
                int colour = getpixel(sprite, sx, sy);
                if (colour) {
                    rectfill(picture, px + sx * scale, py + sy * scale, px + sx * scale + scale - 1,
                             py + sy * scale + scale - 1, colour);
                }
            }
        }
    }
    std::string path = (folder / (file_name_for(sheet.title) + ".bmp")).string();
    save_bitmap(path.c_str(), picture, palette);
    destroy_bitmap(picture);
}

void preview_picture(BITMAP* picture, const RGB* palette, const fs::path& path) {
    save_bitmap(path.string().c_str(), picture, palette);
}

bool preview_playfields(const fs::path& output, const fs::path& folder,
                        std::vector<std::string>& problems) {
    set_program_directory(output.string());
    zorbo_data = load_datafile((output / "Zorbo.dat").string().c_str());
    if (!datafile_matches_manifest(zorbo_data)) {
        problems.push_back("the built Zorbo.dat does not match its manifest");
        return false;
    }
    bool ok = true;
    for (const auto& entry : fs::directory_iterator(output / "scn")) {
        if (entry.path().extension() != ".zrb") {
            continue;
        }
        std::string base = entry.path().stem().string();
        if (auto failure = open_playfield(base.c_str(), base.c_str())) {
            problems.push_back("playfield " + base + " does not load: " + failure->path);
            ok = false;
            continue;
        }
        PALETTE palette;
        std::memcpy(palette, playfield_data[playfield_pal].dat, sizeof palette);
        std::memcpy(palette + 224, zorbo_object<RGB>(obj_palette_interface) + 224,
                    32 * sizeof(RGB));
        save_bitmap((folder / (base + "-background.bmp")).string().c_str(), background_bitmap,
                    palette);
        for (int i = 0; i < actor_count; ++i) {
            int frame = start_frame(actors[i].state);
            if (frame >= 0) {
                draw_rle_sprite(world_bitmap, zorbo_object<RLE_SPRITE>(frame), actors[i].x,
                                actors[i].y);
            }
        }
        draw_rle_sprite(world_bitmap, zorbo_object<RLE_SPRITE>(obj_rocket1), rockets[0].start_x,
                        rockets[0].start_y);
        draw_rle_sprite(world_bitmap, zorbo_object<RLE_SPRITE>(obj_rocket2), rockets[1].start_x,
                        rockets[1].start_y);
        save_bitmap((folder / (base + "-start.bmp")).string().c_str(), world_bitmap, palette);
        release_playfield();
    }
    unload_datafile(zorbo_data);
    zorbo_data = nullptr;
    return ok;
}
