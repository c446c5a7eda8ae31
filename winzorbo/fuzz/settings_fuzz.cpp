// Arbitrary bytes as "WinZorbo.ini", taken through the game's own steps: the
// file is opened as the start-up opens it (from Allegro's UTF-8 start into
// ASCII text), its keys are read, the settings are saved over it at
// shut-down, and the next start must read back what was saved.
#include "startup/control_code.h"
#include "startup/settings.h"

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string path;

bool start() {
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        return false;
    }
    char name[] = "/tmp/winzorbo-settings-fuzz-XXXXXX";
    if (!mkdtemp(name)) {
        return false;
    }
    path = std::string(name) + "/WinZorbo.ini";
    return true;
}

Settings read_as_the_game_does() {
    set_uformat(U_UTF8); // as allegro_init leaves it
    open_settings_file(path);
    Settings result;
    read_settings_file(result, path);
    return result;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = start();
    if (!ready) {
        std::abort();
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return 0;
    }
    if (size > 0) {
        std::fwrite(data, 1, size, file);
    }
    std::fclose(file);

    Settings read = read_as_the_game_does();
    if (read.language != language_swedish && read.language != language_english) {
        std::abort();
    }
    if (read.music_volume < 0 || read.music_volume > 255 || read.effect_volume < 0 ||
        read.effect_volume > 255) {
        std::abort();
    }
    // Nothing is held: whatever a key names, it is not active, and looking
    // stays inside the key and joystick tables.
    for (const auto& action : read.controls) {
        for (int code : action) {
            if (control_active(code)) {
                std::abort();
            }
        }
    }
    save_settings(read, path);
    if (read_as_the_game_does() != read) {
        std::abort(); // the player's settings would not survive a restart
    }
    return 0;
}
