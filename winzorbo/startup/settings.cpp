#include "startup/settings.h"

#include <algorithm>
#include <allegro.h>
#include <cstdio>
#include <cstring>

Settings settings;

namespace {
struct ControlKey {
    const char* name;
    int action;
    int player;
    int default_code;
};

// Read and written in this order.
constexpr ControlKey control_keys[] = {
    {"left1", action_left, 0, KEY_A},    {"right1", action_right, 0, KEY_D},
    {"gas1", action_gas, 0, KEY_S},      {"fire1", action_fire, 0, KEY_Q},
    {"left2", action_left, 1, KEY_LEFT}, {"right2", action_right, 1, KEY_RIGHT},
    {"gas2", action_gas, 1, KEY_DOWN},   {"fire2", action_fire, 1, KEY_UP},
};
} // namespace

int language_from_value(const char* value) {
    return value && std::strcmp(value, "se") == 0 ? language_swedish : language_english;
}

void default_controls(Settings& target) {
    for (const ControlKey& entry : control_keys) {
        target.controls[entry.action][entry.player] = entry.default_code;
    }
    target.music_volume = 255;
    target.effect_volume = 255;
}

void read_settings(Settings& target) {
    char language[256] = {};
    const char* value = get_config_string(nullptr, "language", "en");
    std::strncpy(language, value ? value : "", sizeof language - 1);
    target.language = language_from_value(language);
    for (const ControlKey& entry : control_keys) {
        target.controls[entry.action][entry.player] =
            get_config_int("keys", entry.name, entry.default_code);
    }
    target.music_volume = std::clamp(get_config_int("volume", "vol0", 255), 0, 255);
    target.effect_volume = std::clamp(get_config_int("volume", "vol1", 255), 0, 255);
}

void open_settings_file(const std::string& path) {
    set_uformat(U_ASCII);
    set_config_file(path.c_str());
}

void read_settings_file(Settings& target, const std::string& path) {
    set_config_file(path.c_str());
    read_settings(target);
}

namespace {
void write_keys(const Settings& source, const std::string& path) {
    set_config_file(path.c_str());
    set_config_string(nullptr, "language", source.language == language_swedish ? "se" : "en");
    for (const ControlKey& entry : control_keys) {
        set_config_int("keys", entry.name, source.controls[entry.action][entry.player]);
    }
    set_config_int("volume", "vol0", source.music_volume);
    set_config_int("volume", "vol1", source.effect_volume);
    flush_config_file();
}
} // namespace

void save_settings(const Settings& source, const std::string& path) {
    write_keys(source, path);
    Settings written;
    read_settings_file(written, path);
    if (written != source) {
        std::remove(path.c_str());
        write_keys(source, path);
    }
}
