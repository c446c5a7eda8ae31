#include "startup/startup.h"

#include "core/fatal_error.h"
#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/random.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_catalogue.h"
#include "startup/intro.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <cstring>
#include <ctime>
#include <string>

namespace {
bool wants_fullscreen(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fullscreen") == 0) {
            return true;
        }
    }
    return false;
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
    set_clip_state(surface, FALSE);
    set_uformat(U_ASCII);
}

void read_or_default_settings(const std::string& ini_path) {
    if (!exists(ini_path.c_str())) {
        // First start: Swedish until the player picks a language.
        settings.language = language_swedish;
        default_controls(settings);
        return;
    }
    read_settings(settings);
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
    find_program_directory(argc > 0 ? argv[0] : nullptr);
    if (allegro_init() != 0) {
        return 1;
    }
    std::string ini_path = data_path("WinZorbo.ini");
    set_config_file(ini_path.c_str());
    set_display_switch_mode(SWITCH_PAUSE);
    install_keyboard();
    install_timer();
    install_joystick(JOY_TYPE_AUTODETECT);

    load_main_datafile();
    scan_playfields();

    start_graphics(wants_fullscreen(argc, argv));
    read_or_default_settings(ini_path);
    set_window_title(text(0).c_str());
    set_palette_range(zorbo_object<RGB>(obj_palette_interface), 224, 255, 0);

    zorbo_srand(static_cast<unsigned int>(std::time(nullptr)));
    install_int(tick, 100);
    run_intro();
    remove_int(tick);

    save_settings(settings, ini_path);
    shut_down();
    return 0;
}
