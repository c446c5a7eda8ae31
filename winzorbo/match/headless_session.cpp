#include "match/headless_session.h"

#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "match/match_state.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "shots/shots.h"
#include "startup/text_table.h"
#include "view/cameras.h"

#include <allegro.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {
struct Fnv {
    std::uint64_t hash = 1469598103934665603ull;
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash = (hash ^ p[i]) * 1099511628211ull;
        }
    }
    void number(int value) { bytes(&value, sizeof value); }
    void number(double value) { bytes(&value, sizeof value); }
    void bitmap(BITMAP* picture) {
        if (!picture) {
            return;
        }
        for (int y = 0; y < picture->h; ++y) {
            bytes(picture->line[y], static_cast<std::size_t>(picture->w));
        }
    }
};

bool ends_with(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
} // namespace

bool start_headless_session(std::string& error) {
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        error = "Allegro cannot start";
        return false;
    }
    // The game's text mode from its start on (a datafile name's bytes above
    // 127 are single characters).
    set_uformat(U_ASCII);
    set_color_depth(8);
    std::string path = data_path("Zorbo.dat");
    zorbo_data = load_datafile(path.c_str());
    if (!datafile_matches_manifest(zorbo_data)) {
        error = "cannot use " + path;
        return false;
    }
    game_font = zorbo_object<FONT>(obj_font);
    load_texts();
    surface = create_bitmap(640, 480);
    clear_bitmap(surface);
    headless_match = true;
    return true;
}

bool load_headless_playfield(const std::string& name, std::string& error) {
    std::optional<PlayfieldFailure> failure;
    if (ends_with(name, ".zrb") || name.find('/') != std::string::npos) {
        std::size_t slash = name.rfind('/');
        std::string folder = slash == std::string::npos ? "." : name.substr(0, slash);
        failure = open_playfield_file(name, folder, name.c_str());
    } else {
        failure = open_playfield(name.c_str(), name.c_str());
    }
    if (failure) {
        error = "cannot load " + failure->path;
        return false;
    }
    return true;
}

std::uint64_t match_checksum() {
    Fnv fnv;
    for (const Rocket& r : rockets) {
        for (int value :
             {r.x, r.y, r.health, r.ammunition, r.direction, r.in_water, r.flame, r.input, r.score,
              int{r.carrying}, int{r.landed}, int{r.carry_cooldown}}) {
            fnv.number(value);
        }
        fnv.number(r.vx);
        fnv.number(r.vy);
    }
    for (const Shot& shot : shots) {
        fnv.number(shot.x);
        fnv.number(shot.y);
        fnv.number(shot.vx);
        fnv.number(shot.vy);
    }
    fnv.number(shot_cursor);
    for (int i = 0; i < actor_count; ++i) {
        const Actor& a = actors[i];
        for (int value : {a.x, a.y, a.timer, a.state, a.aux}) {
            fnv.number(value);
        }
    }
    for (const Camera& camera : cameras) {
        fnv.number(camera.x);
        fnv.number(camera.y);
        fnv.number(camera.look_ahead);
    }
    fnv.bitmap(surface);
    fnv.bitmap(world_bitmap);
    return fnv.hash;
}
