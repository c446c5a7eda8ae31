#pragma once

#include <string>

enum Language { language_swedish = 0, language_english = 1 };
enum ControlAction { action_left = 0, action_right = 1, action_gas = 2, action_fire = 3 };

struct Settings {
    int language = language_swedish;
    int controls[4][2] = {}; // [action][player]
    int music_volume = 255;  // "vol0"
    int effect_volume = 255; // "vol1"

    bool operator==(const Settings&) const = default;
};

extern Settings settings;

// "se" and nothing else selects Swedish.
int language_from_value(const char* value);

// Keys and volumes as on a first start.
void default_controls(Settings& target);

// Reads every key from the current Allegro configuration file, each with its
// default when missing. Volumes outside 0..255 are brought back into range.
void read_settings(Settings& target);

// The start-up's first step with the file: from here on Allegro reads all
// text as ASCII (the game's texts and files are Windows-1252), then the
// configuration is pointed at path. Parsed as UTF-8, a damaged file with
// bytes above 127 can make the library's parser loop for ever, or give
// other keys than the ones saved.
void open_settings_file(const std::string& path);

// Points the configuration at path again and reads every key, from the file
// as it is now.
void read_settings_file(Settings& target, const std::string& path);

// Points the configuration at path and writes every key. Other lines of the
// file stay, unless the file is so damaged that the keys do not read back as
// written (a line the library writes back in another form): then the file is
// written afresh with the keys alone.
void save_settings(const Settings& source, const std::string& path);
