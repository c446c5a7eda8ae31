#include "startup/startup.h"

#include "core/fatal_error.h"
#include "core/frame_counter.h"
#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/program_version.h"
#include "core/random.h"
#include "core/waiting.h"
#include "core/window_title.h"
#include "core/zorbo_objects.h"
#include "menus/game_menus.h"
#include "menus/playfield_menu.h"
#include "playfield/playfield_catalogue.h"
#include "rocket/game_style.h"
#include "sound/game_sounds.h"
#include "sound/sound_layer.h"
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
// The menu-order index of a listed playfield's base name; -1 when no listed
// playfield has it.
int find_listed(const std::string& base) {
    for (int i = 0; i < playfield_count(); ++i) {
        if (base == playfield_in_menu_order(i).base_name) {
            return i;
        }
    }
    return -1;
}

// "--play NAME": that playfield with the style and target of the command
// line, its results, and again while the players want.
void play_directly(const CommandLine& line, int index) {
    game_style = line.style;
    MatchSequence sequence;
    sequence.count = 1;
    sequence.playfields[0] = index;
    sequence.target = line.target;
    play_sequences(
        sequence, [](MatchSequence&) { return true; },
        playfield_display_name(playfield_in_menu_order(index)));
}

// A name the catalogue does not list (a typing error, or a seasonal
// playfield out of season) is refused before a window opens.
void refuse_unlisted(const std::string& name) {
    std::string listed;
    for (int i = 0; i < playfield_count(); ++i) {
        listed += std::string(i ? ", " : "") + playfield_in_menu_order(i).base_name;
    }
    std::fprintf(stderr, "WinZorbo: no playfield called %s in %s (listed now: %s)\n", name.c_str(),
                 data_path("scn").c_str(), listed.c_str());
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
        // First start: the player picks the language before anything else.
        choose_first_language();
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
        print_usage(stderr);
        return 2;
    }
    // Answered before Allegro starts: neither needs a screen or the data.
    if (line.help) {
        print_usage(stdout);
        return 0;
    }
    if (line.version) {
        print_version("WinZorbo");
        return 0;
    }
    find_program_directory(argc > 0 ? argv[0] : nullptr);
    if (allegro_init() != 0) {
        // Without an X display Allegro finds no system driver; say so rather
        // than end without a word.
        std::fprintf(stderr, "WinZorbo: cannot start: %s\n",
                     allegro_error[0] ? allegro_error : "no system driver (is DISPLAY set?)");
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
    int direct = line.play.empty() ? -1 : find_listed(line.play);
    if (!line.play.empty() && direct < 0) {
        refuse_unlisted(line.play);
        shut_down();
        return 2;
    }

    start_graphics(line.fullscreen);
    watch_close_button();
    set_up_menus();
    start_game_sounds(255);
    read_or_default_settings(ini_path);
    sound_set_sfx_master_volume(settings.effect_volume);
    show_window_title(text(0));
    set_palette_range(zorbo_object<RGB>(obj_palette_interface), 224, 255, 0);

    zorbo_srand(static_cast<unsigned int>(std::time(nullptr)));
    if (!close_requested()) {
        install_int(tick, 100);
        run_intro();
        remove_int(tick);
    }
    if (direct >= 0 && !close_requested()) {
        play_directly(line, direct);
    }
    if (!close_requested()) {
        run_main_menu_loop();
    }

    save_settings(settings, ini_path);
    stop_game_sounds();
    shut_down();
    return 0;
}
