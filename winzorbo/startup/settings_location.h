#pragma once

#include <string>

// Where "WinZorbo.ini" is read at start-up and written at shut-down.
//
// Beside the executable while the game may write there (a game unpacked or
// built in a folder of the player's). An installed game cannot write to its
// folder, so it keeps the file in $XDG_CONFIG_HOME/WinZorbo/ (or
// ~/.config/WinZorbo/), creating that folder. A file already beside the
// executable is read first: when the configuration folder has none yet, it is
// copied there, so the player keeps those keys and their changes are saved
// over the copy.
std::string settings_file_path();

// Whether folder is the one the install rules put the game in
// (PREFIX/share/winzorbo). That folder belongs to the installer: the player's
// file is never written there, also by a user who could (root, or the owner
// of a prefix in their home), so that nothing is left behind when the game is
// removed.
bool installed_game_folder(const std::string& folder);

// The same choice with what it depends on given: the program folder, whether
// "WinZorbo.ini" can be written there, and the XDG_CONFIG_HOME and HOME
// values (nullptr when unset).
std::string choose_settings_file(const std::string& program_folder, bool writable_there,
                                 const char* config_home, const char* home);
