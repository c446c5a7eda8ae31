#include "plat/linux/Linux_PreferencesImp.h"

#include "plat/DiskFile.h"
#include "plat/ErrorStack.h"
#include "plat/Preferences.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace plat {

namespace {

// mkdir -p with private folders.
bool MakeFolders(const String& path) {
    std::string partial;
    const std::string whole(path.c_str());
    for (std::size_t i = 1; i <= whole.size(); ++i) {
        if (i == whole.size() || whole[i] == '/') {
            partial = whole.substr(0, i);
            if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool Linux_PreferencesImp::SettingsPath(String& out) {
    if (Preferences::Product().IsEmpty()) {
        return false;
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    String folder;
    if (config != nullptr && config[0] == '/') {
        folder.Assign(config);
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            return false;
        }
        folder.Assign(home);
        folder.Append("/.config");
    }
    if (!Preferences::Company().IsEmpty()) {
        folder = folder + "/" + Preferences::Company();
    }
    out = folder + "/" + Preferences::Product() + ".conf";
    return true;
}

bool Linux_PreferencesImp::Load(KeyFile& file) {
    String path;
    if (!SettingsPath(path)) {
        return false;
    }
    // Reading goes around the error stack: preferences report nothing.
    const std::size_t errorsBefore = ErrorStateStack::Get().Count();
    DiskFile disk;
    bool ok = true;
    std::string text;
    if (FileSpec(path).Exists() != FileSpec::Missing) {
        // A settings file that is there but cannot be read must not be
        // replaced by one that holds only the next value written.
        ok = disk.Open(FileSpec(path), File::ReadMode);
    }
    if (ok && disk.IsOpen()) {
        std::uint64_t size = 0;
        ok = disk.GetSize(&size) && size <= KeyFile::MaxFileSize;
        if (ok) {
            text.resize(static_cast<std::size_t>(size));
            ok = size == 0 || disk.Read(text.data(), text.size(), nullptr);
        }
    }
    ErrorStateStack::Get().DropNewerThan(errorsBefore);
    return ok && file.Parse(text);
}

bool Linux_PreferencesImp::Save(const KeyFile& file) {
    String path;
    if (!SettingsPath(path) || !MakeFolders(FileSpec(path).Folder())) {
        return false;
    }
    const std::size_t errorsBefore = ErrorStateStack::Get().Count();
    ReplacingFile out;
    const std::string text = file.Serialize();
    const bool ok =
        out.Open(FileSpec(path)) && out.Write(text.data(), text.size(), nullptr) && out.Commit();
    ErrorStateStack::Get().DropNewerThan(errorsBefore);
    return ok;
}

} // namespace plat
