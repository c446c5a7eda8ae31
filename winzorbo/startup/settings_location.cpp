#include "startup/settings_location.h"

#include "core/program_directory.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#ifndef WINZORBO_INSTALLED_FOLDER
#error "WINZORBO_INSTALLED_FOLDER comes from the install rules' data folder"
#endif

namespace {
constexpr const char* file_name = "WinZorbo.ini";

// The base folder of the user's configuration files. Relative values of
// XDG_CONFIG_HOME are ignored, as the XDG rules say.
std::string configuration_home(const char* config_home, const char* home) {
    if (config_home && config_home[0] == '/') {
        return config_home;
    }
    if (home && home[0] == '/') {
        return std::string(home) + "/.config";
    }
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && user->pw_dir[0] == '/') {
        return std::string(user->pw_dir) + "/.config";
    }
    return {};
}

// Both the folder (to replace the file) and an existing file must be
// writable; access() also answers for read-only mounts, where root is refused
// too.
bool writable_beside(const std::string& folder, const std::string& beside) {
    std::error_code error;
    bool present = std::filesystem::exists(beside, error);
    return access(folder.c_str(), W_OK) == 0 && (!present || access(beside.c_str(), W_OK) == 0);
}
} // namespace

std::string choose_settings_file(const std::string& program_folder, bool writable_there,
                                 const char* config_home, const char* home) {
    std::string beside = program_folder;
    if (beside.empty() || beside.back() != '/') {
        beside += '/';
    }
    beside += file_name;
    if (writable_there) {
        return beside;
    }
    std::string base = configuration_home(config_home, home);
    if (base.empty()) {
        return beside; // nowhere better: read it at least
    }
    std::filesystem::path folder = std::filesystem::path(base) / "WinZorbo";
    std::filesystem::path kept = folder / file_name;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::exists(kept, error) && std::filesystem::exists(beside, error)) {
        std::filesystem::copy_file(beside, kept, error);
        if (error) {
            // The copy cannot be made: the keys beside the executable still
            // hold for this game, though changes cannot be kept.
            return beside;
        }
        // A file the installer made read-only must still take the changes.
        std::filesystem::permissions(
            kept, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::perm_options::add, error);
    }
    return kept.string();
}

bool installed_game_folder(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const std::string installed = WINZORBO_INSTALLED_FOLDER;
    if (installed.empty() || installed.front() == '/') {
        return path == installed;
    }
    const std::string suffix = "/" + installed;
    return path.size() >= suffix.size() &&
           path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string settings_file_path() {
    const std::string& folder = program_directory();
    bool writable = !installed_game_folder(folder) && writable_beside(folder, data_path(file_name));
    return choose_settings_file(folder, writable, std::getenv("XDG_CONFIG_HOME"),
                                std::getenv("HOME"));
}
