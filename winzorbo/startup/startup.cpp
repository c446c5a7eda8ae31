#include "startup/startup.h"

#include "core/fatal_error.h"
#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/random.h"
#include "core/zorbo_objects.h"
#include "match/play_playfield.h"
#include "playfield/playfield_catalogue.h"
#include "playfield/playfield_loader.h"
#include "sound/game_sounds.h"
#include "startup/command_line.h"
#include "startup/intro.h"
#include "startup/settings.h"
#include "startup/settings_location.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {
// The catalogue entry of a base name, for its display name; nullptr when no
// listed playfield has it.
const PlayfieldEntry* find_listed(const std::string& base) {
    for (const PlayfieldList* list : {&standard_playfields, &special_playfields}) {
        for (int i = 0; i < list->count; ++i) {
            if (base == list->entries[i].base_name) {
                return &list->entries[i];
            }
        }
    }
    return nullptr;
}

void play_directly(const CommandLine& line) {
    const PlayfieldEntry* entry = find_listed(line.play);
    if (!entry) {
        fatal_error("Unknown playfield: " + line.play);
    }
    const char* display =
        settings.language == language_english ? entry->english_name : entry->swedish_name;
    load_playfield(entry->base_name, display);
    game_style = line.style;
    int totals[2] = {0, 0};
    play_playfield(totals, line.target);
}

void load_main_datafile() {
    std::string path = data_path("Zorbo.dat");
    zorbo_data = load_datafile(path.c_str());
    if (!datafile_matches_manifest(zorbo_data)) {
        if (zorbo_data) {
            unload_datafile(zorbo_data);
            zorbo_data = nullptr;
        }
        fatal_error("Error loading Zorbo.dat!\nKunde inte ladda Zorbo.dat!\n");
    }
    game_font = zorbo_object<FONT>(obj_font);
}

void start_graphics(bool fullscreen) {
    set_color_depth(8);
    if (set_gfx_mode(fullscreen ? GFX_AUTODETECT : GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
        fatal_error(allegro_error);
    }
    // The first full-screen video bitmap is the visible screen on the
    // accelerated drivers; where it is not available the screen itself is
    // the surface.
    surface = create_video_bitmap(640, 480);
    if (!surface) {
        surface = screen;
    }
    // Everything drawn on the surface stays on it.
    set_clip_state(surface, TRUE);
    set_uformat(U_ASCII);
}

void read_or_default_settings(const std::string& ini_path) {
    if (!exists(ini_path.c_str())) {
        // First start: Swedish until the player picks a language.
        settings.language = language_swedish;
        default_controls(settings);
        return;
    }
    read_settings_file(settings, ini_path);
}

void shut_down() {
    if (zorbo_data) {
        unload_datafile(zorbo_data);
        zorbo_data = nullptr;
    }
    if (surface && surface != screen) {
        destroy_bitmap(surface);
    }
    surface = nullptr;
    allegro_exit();
}
} // namespace

int run_winzorbo(int argc, char** argv) {
    CommandLine line = parse_command_line(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "WinZorbo: %s\n", line.error.c_str());
        return 2;
    }
    find_program_directory(argc > 0 ? argv[0] : nullptr);
    if (allegro_init() != 0) {
        return 1;
    }
    std::string ini_path = settings_file_path();
    open_settings_file(ini_path);
    set_display_switch_mode(SWITCH_PAUSE);
    install_keyboard();
    install_timer();
    install_joystick(JOY_TYPE_AUTODETECT);

    load_main_datafile();
    scan_playfields();

    start_graphics(line.fullscreen);
    read_or_default_settings(ini_path);
    start_game_sounds(settings.effect_volume);
    set_window_title(text(0).c_str());
    set_palette_range(zorbo_object<RGB>(obj_palette_interface), 224, 255, 0);

    zorbo_srand(static_cast<unsigned int>(std::time(nullptr)));
    install_int(tick, 100);
    run_intro();
    remove_int(tick);
    if (!line.play.empty()) {
        play_directly(line);
    }

    save_settings(settings, ini_path);
    stop_game_sounds();
    shut_down();
    return 0;
}
