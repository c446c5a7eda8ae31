// Feeds arbitrary bytes to the playfield loader as "scn/fuzz.zrb" beside a
// small tile datafile, the way the game loads a playfield file, then lets
// whatever creatures it placed live for a while.
#include "actors/actor_states.h"
#include "content/datafile_writer.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"

#include <allegro.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
std::string folder;
// Long enough for a bomb to lie, blast and move, and a hopper to choose.
constexpr int creature_frames = 260;

void write_tiles(const std::string& path) {
    DatafileWriter writer;
    writer.add_binary("MUSIC", {0});
    writer.add_binary("BAK", {});
    for (int i = 0; i < 6; ++i) {
        BITMAP* tile = create_bitmap_ex(8, 20, 20);
        clear_to_color(tile, i == 2 ? 0 : 5 + i); // one fully transparent tile
        writer.add_sprite(i == 3 ? "FAST" : "TILE", tile);
        destroy_bitmap(tile);
    }
    PALETTE palette{};
    writer.add_palette("PAL", palette);
    writer.write(path);
}

bool start() {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        return false;
    }
    // The game reads all text as ASCII from its start on; left in UTF-8, a
    // byte above 127 in a datafile name is taken for the start of a longer
    // character, and the library's path scan steps over the name's end.
    set_uformat(U_ASCII);
    set_color_depth(8);
    char name[] = "/tmp/winzorbo-fuzz-XXXXXX";
    if (!mkdtemp(name)) {
        return false;
    }
    folder = name;
    std::filesystem::create_directories(folder + "/scn");
    write_tiles(folder + "/scn/tiles.dat");
    set_program_directory(folder);
    zorbo_data = load_datafile(WINZORBO_BUILT_DATA "/Zorbo.dat");
    return datafile_matches_manifest(zorbo_data);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = start();
    if (!ready) {
        std::abort();
    }
    std::FILE* file = std::fopen((folder + "/scn/fuzz.zrb").c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (!open_playfield("fuzz", "Fuzz")) {
        // A loaded playfield keeps every actor and cell inside its tables.
        if (actor_count > max_actors || base_count > max_bases || playfield_width < 1 ||
            playfield_height < 1 || !world_bitmap) {
            std::abort();
        }
        // Creatures placed anywhere look only inside the grid and the mask
        // and move only between their own states.
        for (int frame = 0; frame < creature_frames; ++frame) {
            update_actors();
        }
        for (int i = 0; i < actor_count; ++i) {
            if (actors[i].state < 0 || actors[i].state >= actor_state_count) {
                std::abort();
            }
        }
    }
    release_playfield();
    return 0;
}
