#include "content/zorbo_content.h"

#include "content/creature_sprites.h"
#include "content/datafile_writer.h"
#include "content/figure_sprites.h"
#include "content/font_maker.h"
#include "content/interface_colours.h"
#include "content/map_compiler.h"
#include "content/pictures.h"
#include "content/preview.h"
#include "content/prop_sprites.h"
#include "content/rocket_sprites.h"
#include "content/songs.h"
#include "content/sound_effects.h"
#include "content/tilesets.h"
#include "core/cp1252.h"
#include "core/zorbo_objects.h"

#include <algorithm>
#include <allegro.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

namespace fs = std::filesystem;

namespace {
std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool write_file(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A UTF-8 source text as the game reads it: Windows-1252 with CR LF.
std::vector<std::uint8_t> game_text(const std::string& utf8) {
    std::string text = utf8_to_cp1252(utf8);
    std::vector<std::uint8_t> out;
    for (char ch : text) {
        if (ch == '\r') {
            continue;
        }
        if (ch == '\n') {
            out.push_back('\r');
        }
        out.push_back(static_cast<std::uint8_t>(ch));
    }
    return out;
}

struct Sheets {
    std::vector<std::unique_ptr<SpriteSheet>> all;
    SpriteSheet& add(const std::string& title) {
        all.push_back(std::make_unique<SpriteSheet>());
        all.back()->title = title;
        return *all.back();
    }
};

void draw_all_sprites(Sheets& sheets) {
    SpriteSheet& rockets = sheets.add("rockets");
    for (int player = 0; player < 2; ++player) {
        for (int flame = 0; flame < 2; ++flame) {
            for (int d = 0; d < 24; ++d) {
                std::string name = "ROCKET" + std::to_string(player + 1) +
                                   (flame ? "_FLAME_" : "_") + (d < 10 ? "0" : "") +
                                   std::to_string(d);
                rockets.add(name, draw_rocket(player, d, flame != 0));
            }
        }
    }
    rockets.add("WRECK1", draw_wreck(0));
    rockets.add("WRECK2", draw_wreck(1));
    SpriteSheet& props =
        sheets.add("flags, signs, water, bumpers, goo, conveyors, arrows, ornaments");
    draw_flags(props);
    draw_signs(props);
    draw_waves(props);
    draw_bumpers(props);
    draw_goo(props);
    draw_conveyors(props);
    draw_menu_arrows(props);
    draw_ornaments(props);
    SpriteSheet& creatures = sheets.add("creatures");
    draw_swimmers(creatures);
    draw_hoppers(creatures);
    draw_bombs(creatures);
    draw_carriers(creatures);
    SpriteSheet& figures = sheets.add("results figures");
    draw_player1_figures(figures);
    draw_player2_figures(figures);
}

std::vector<std::uint8_t> menu_song() {
    SongStyle style{"WinZorbo menu", 7, 6, 118, 9, false, {0, 5, 3, 4, 0, 5, 1, 4}, 4, false};
    return compose_song(style);
}

std::vector<std::uint8_t> credits_song() {
    SongStyle style{"WinZorbo credits", 17, 6, 104, 5, false, {0, 3, 4, 0, 5, 3, 1, 4}, 4, false};
    return compose_song(style);
}

bool build_main_datafile(const fs::path& output, const fs::path& source, const Sheets& sheets,
                         const fs::path& preview, std::vector<std::string>& problems) {
    std::map<std::string, BITMAP*> sprites;
    for (const auto& sheet : sheets.all) {
        for (const NamedSprite& sprite : sheet->sprites) {
            sprites[sprite.name] = sprite.bitmap;
        }
    }
    PALETTE interface_palette, title_palette, menu_palette, intro_palette;
    make_interface_palette(interface_palette);
    std::unique_ptr<BITMAP, void (*)(BITMAP*)> title(
        draw_title_picture(title_palette, menu_palette), destroy_bitmap);
    std::unique_ptr<BITMAP, void (*)(BITMAP*)> intro(draw_intro_picture(intro_palette),
                                                     destroy_bitmap);
    std::map<std::string, std::vector<std::uint8_t>> binaries;
    binaries["CREDITS_TXT"] = game_text(read_file(source / "text" / "credits.txt"));
    binaries["TEXT_TXT"] = game_text(read_file(source / "text" / "texts.txt"));
    binaries["MUSIC_MENU"] = menu_song();
    binaries["MUSIC_CREDITS"] = credits_song();
    auto effects = make_sound_effects();
    const char* effect_names[] = {"SND_SCORE", "SND_FLAG_LOST", "SND_HIT", "SND_LANDING",
                                  "SND_CRASH", "SND_SPLASH",    "SND_WRAP"};
    for (int i = 0; i < 7; ++i) {
        binaries[effect_names[i]] = effects[static_cast<std::size_t>(i)];
    }

    DatafileWriter writer;
    for (const ObjectEntry& entry : zorbo_objects()) {
        switch (entry.kind) {
        case ObjectKind::Bitmap:
            writer.add_bitmap(entry.name, entry.name == "TITLE" ? title.get() : intro.get());
            break;
        case ObjectKind::RleSprite:
            if (!sprites.count(entry.name)) {
                problems.push_back("no sprite drawn for " + entry.name);
                return false;
            }
            writer.add_sprite(entry.name, sprites[entry.name]);
            break;
        case ObjectKind::Font:
            writer.add_font(entry.name, font_first_character, make_font_glyphs());
            break;
        case ObjectKind::Palette: {
            const RGB* palette = entry.name == "PAL_TITLE"   ? title_palette
                                 : entry.name == "PAL_MENU"  ? menu_palette
                                 : entry.name == "PAL_INTRO" ? intro_palette
                                                             : interface_palette;
            writer.add_palette(entry.name, palette);
            break;
        }
        case ObjectKind::Binary:
            writer.add_binary(entry.name, binaries[entry.name]);
            break;
        }
    }
    if (!writer.write((output / "Zorbo.dat").string())) {
        problems.push_back("cannot write Zorbo.dat");
        return false;
    }
    write_file(output / "text.txt", binaries["TEXT_TXT"]);
    write_file(output / "credits.txt", binaries["CREDITS_TXT"]);
    if (!preview.empty()) {
        for (const auto& sheet : sheets.all) {
            preview_sheet(*sheet, interface_palette, preview);
        }
        preview_picture(title.get(), title_palette, preview / "title.bmp");
        preview_picture(title.get(), menu_palette, preview / "title-menu.bmp");
        preview_picture(intro.get(), intro_palette, preview / "intro.bmp");
    }
    return true;
}

bool build_playfield(const fs::path& map_path, const fs::path& output, const fs::path& preview,
                     std::vector<std::string>& problems) {
    std::vector<std::string> map_problems;
    MapSource map = parse_map(read_file(map_path), map_problems);
    check_map(map, map_problems);
    std::string base = map_path.stem().string();
    if (base.size() > 8) {
        map_problems.push_back("file name longer than 8 characters");
    }
    Tileset tileset;
    if (!make_tileset(map.theme, tileset)) {
        map_problems.push_back("unknown theme " + map.theme);
    }
    for (const std::string& problem : map_problems) {
        problems.push_back(map_path.filename().string() + ": " + problem);
    }
    if (!map_problems.empty()) {
        return false;
    }
    map.music.title = map.english_name;
    map.music.progression = {0, 5, 3, 4, 0, 3, 5, 4, 5, 3, 0, 4};
    map.music.patterns = 5;
    DatafileWriter writer;
    add_playfield_objects(writer, tileset, compose_song(map.music));
    fs::path scn = output / "scn";
    if (!writer.write((scn / (map.datafile + ".dat")).string()) ||
        !write_file(scn / (base + ".zrb"), compile_map(map))) {
        problems.push_back("cannot write playfield " + base);
        return false;
    }
    if (!preview.empty()) {
        preview_sheet(tileset.scenery, tileset.palette, preview);
        preview_sheet(tileset.solids, tileset.palette, preview);
    }
    return true;
}
} // namespace

bool build_content(const std::string& source, const std::string& output, const std::string& preview,
                   std::vector<std::string>& problems) {
    std::error_code error;
    fs::create_directories(fs::path(output) / "scn", error);
    if (!preview.empty()) {
        fs::create_directories(preview, error);
    }
    set_color_depth(8);
    Sheets sheets;
    draw_all_sprites(sheets);
    bool ok = build_main_datafile(output, source, sheets, preview, problems);
    std::vector<fs::path> maps;
    for (const auto& entry : fs::directory_iterator(fs::path(source) / "maps")) {
        if (entry.path().extension() == ".map") {
            maps.push_back(entry.path());
        }
    }
    std::sort(maps.begin(), maps.end());
    for (const fs::path& map : maps) {
        ok = build_playfield(map, output, preview, problems) && ok;
    }
    if (ok && !preview.empty()) {
        ok = preview_playfields(output, preview, problems);
    }
    return ok;
}
