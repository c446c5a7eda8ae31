// The settings files are plain text that people edit by hand: arbitrary bytes
// as both "System.ini" and "Screen Saver.ini" in a settings folder of its own,
// then every value a saver start, an exit rule, the password check and the
// wallpaper lookup read from them, read the way the saver reads them.
#include "host/DesktopFiles.h"
#include "host/Password.h"
#include "host/StringTable.h"
#include "platform/AppProfile.h"
#include "platform/PasswordHash.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {
std::filesystem::path configHome;

void RemoveConfigHome() {
    std::error_code ignored;
    std::filesystem::remove_all(configHome, ignored);
}

bool StartUp() {
    static int argc = 1;
    static char name[] = "SceneSaver";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    char folder[] = "/tmp/scenesaver-settings-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return false;
    }
    configHome = folder;
    std::atexit(RemoveConfigHome);
    setenv("XDG_CONFIG_HOME", folder, 1);
    return true;
}

// QSettings keeps what it parsed of a file while its size and time stay the
// same, so each input gets a folder it has never seen.
std::filesystem::path FreshSettingsFolder() {
    static std::uint64_t count = 0;
    const std::filesystem::path home = configHome / std::to_string(count++);
    std::filesystem::create_directories(home / "Quorvatronics");
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    return home;
}

void Write(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ReadEverything(const std::string& script) {
    // Run mode: calibration, the mute switch and the exit rules.
    CAppProfile profile(LoadStringResource(IDS_REGISTRY_ROOT), "SceneSaver");
    const CRegKey root(profile.RootKeyPath());
    (void)root.QueryString(LoadStringResource(IDS_SYSINFO));
    (void)root.QueryDWORD(LoadStringResource(IDS_TIMES));
    const std::string& settings = LoadStringResource(IDS_SETTINGS);
    for (const StringId id : {IDS_STANDARD, IDS_MOUSE_MOVE, IDS_BUTTON_DOWN, IDS_DOUBLE_CLICK,
                              IDS_KEY_DOWN, IDS_ESCAPE, IDS_MUTE}) {
        (void)profile.GetProfileInt(settings, LoadStringResource(id), 0);
    }

    // The password check. A hash goes to the system's crypt, whose own cost
    // settings are not this program's to fuzz; the older scrambled form is
    // compared here.
    (void)SystemRequiresSaverPassword();
    const std::string stored = StoredPassword(profile);
    if (!IsPassphraseHash(stored)) {
        (void)PasswordMatches(QStringLiteral("secret"), stored);
    }

    // The wallpaper, from the settings and, failing them, from a feh script.
    WallpaperSources sources;
    sources.desktopValue = [](const std::string& name) {
        return CRegKey("Control Panel\\Desktop").QueryString(name);
    };
    sources.backgroundColor = [] {
        return CRegKey("Control Panel\\Colors").QueryString("Background");
    };
    sources.fehbg = [&script] { return std::optional<std::string>(script); };
    const WallpaperSetting wallpaper = FindWallpaper(sources);
    if (wallpaper.style < 0 || wallpaper.style > 2) {
        __builtin_trap();
    }
    if (qAlpha(FindDesktopColor(sources)) != 255) {
        __builtin_trap(); // the desktop colour is always opaque
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = StartUp();
    if (!ready) {
        return 0;
    }
    const std::filesystem::path home = FreshSettingsFolder();
    Write(home / "Quorvatronics" / "System.ini", data, size);
    Write(home / "Quorvatronics" / "Screen Saver.ini", data, size);
    ReadEverything(std::string(reinterpret_cast<const char*>(data), size));
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return 0;
}
