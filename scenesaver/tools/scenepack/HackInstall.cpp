#include "HackInstall.h"

#include "Packing.h"
#include "scene/Scene.h"
#include "scene/SceneBlock.h"

#include <QString>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string_view>

namespace fs = std::filesystem;

namespace {
// Marks the descriptions we wrote, so that one of another hack is never
// overwritten.
constexpr const char* kDescriptionMark = "<!-- Written by scenepack install. -->";
constexpr std::size_t kLongestName = 64;
constexpr std::size_t kLongestLabel = 100;

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

bool Writable(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK) == 0;
}

// The folder can be written, or made in a parent that can.
bool CanWriteInto(const fs::path& folder) {
    std::error_code error;
    if (fs::exists(folder, error)) {
        return Writable(folder);
    }
    return folder.has_parent_path() && folder.parent_path() != folder &&
           CanWriteInto(folder.parent_path());
}

HackFolders ChooseFolders(const HackInstallRequest& request) {
    switch (request.target) {
    case HackTarget::System:
        return FoldersUnder(XScreenSaverPrefix());
    case HackTarget::User:
        return UserFolders();
    case HackTarget::Prefix:
        return FoldersUnder(request.prefix);
    case HackTarget::Automatic:
        break;
    }
    // Only an installed XScreenSaver has a hack folder; making one for it
    // would install a saver that nothing runs.
    const HackFolders system = FoldersUnder(XScreenSaverPrefix());
    if (Writable(system.hacks) && CanWriteInto(system.config)) {
        return system;
    }
    return UserFolders();
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool IsExecutable(const Bytes& bytes) {
    static constexpr char kElfMagic[] = {0x7f, 'E', 'L', 'F'};
    return bytes.size() >= 4 && std::equal(kElfMagic, kElfMagic + 4, bytes.begin());
}

// A file that scenepack built: a player with a readable scene behind it.
bool HoldsScene(const std::string& path, std::string& why) {
    Bytes block;
    CScene scene;
    return ReadAppendedBlock(path, block, why) && ReadSceneBlock(block, scene, why);
}

bool MadeByUs(const fs::path& description) {
    const std::optional<Bytes> text = ReadFile(description.string());
    const std::string mark = kDescriptionMark;
    return text && std::search(text->begin(), text->end(), mark.begin(), mark.end()) != text->end();
}

// The saver to install: a saver as it is, or a manifest packed now.
bool SaverBytes(const HackInstallRequest& request, PackedSaver& saver, std::string& error) {
    std::optional<Bytes> file = ReadFile(request.scene);
    if (!file) {
        error = "cannot read " + request.scene;
        return false;
    }
    if (!IsExecutable(*file)) {
        return PackManifest(request.scene, request.player, false, saver, error);
    }
    std::string why;
    if (!HoldsScene(request.scene, why)) {
        error = request.scene + ": carries no scene: " + why;
        return false;
    }
    saver = {std::move(*file), 0755};
    return true;
}

int Fail(const std::string& message) {
    std::cerr << "scenepack: " << message << "\n";
    return 1;
}
} // namespace

std::string XScreenSaverPrefix() {
    const char* prefix = std::getenv("SCENEPACK_XSCREENSAVER_PREFIX");
    return prefix != nullptr && *prefix != '\0' ? prefix : "/usr";
}

HackFolders FoldersUnder(const std::string& prefix) {
    const fs::path root = fs::absolute(prefix);
    return {(root / "libexec/xscreensaver").string(), (root / "share/xscreensaver/config").string(),
            true};
}

HackFolders UserFolders() {
    const fs::path home = HomeFolder();
    const char* data = std::getenv("XDG_DATA_HOME");
    const fs::path share = data != nullptr && *data == '/' ? fs::path(data) : home / ".local/share";
    return {(home / ".local/libexec/xscreensaver").string(),
            (share / "xscreensaver/config").string(), false};
}

bool CheckHackName(const std::string& name, std::string& why) {
    const auto allowed = [](unsigned char c) {
        return std::isalnum(c) != 0 || c == '.' || c == '_' || c == '-' || c == '+';
    };
    if (name.empty() || name.size() > kLongestName ||
        std::isalnum(static_cast<unsigned char>(name[0])) == 0 ||
        !std::all_of(name.begin(), name.end(), allowed)) {
        why = "the name \"" + name +
              "\" must be 1 to 64 letters, digits, '.', '_', '-' or '+', "
              "starting with a letter or digit";
        return false;
    }
    return true;
}

bool CheckHackLabel(const std::string& label, std::string& why) {
    const QString text = QString::fromStdString(label);
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint() && c != QLatin1Char('"') && c != QLatin1Char('\\');
    });
    if (label.empty() || label.size() > kLongestLabel || !plain || text.toStdString() != label) {
        why = "the label \"" + label +
              "\" must be 1 to 100 bytes of printable text without "
              "quotes or backslashes";
        return false;
    }
    return true;
}

std::string SettingsDescription(const std::string& name, const std::string& label) {
    const std::string escapedName = XmlEscaped(name);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + std::string(kDescriptionMark) +
           "\n\n<screensaver name=\"" + escapedName + "\" _label=\"" + XmlEscaped(label) +
           "\">\n\n"
           "  <command arg=\"--root\"/>\n\n"
           "  <_description>\n"
           "A SceneSaver scene: pictures with their transitions, text, lines,\n"
           "music, sounds and videos, played as its author arranged them.\n\n"
           "Its own settings (sound, exit events) are made with \"" +
           escapedName +
           " /c\".\n"
           "  </_description>\n"
           "</screensaver>\n";
}

// XScreenSaver hands the command to the shell: a home folder with a blank
// in its name must not split the saver's path.
std::string ShellWord(const std::string& text) {
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
               std::string_view("/._+-").find(c) != std::string_view::npos;
    });
    if (plain) {
        return text;
    }
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ProgramsLine(const std::string& label, const std::string& hackPath) {
    return "\"" + label + "\"  " + ShellWord(hackPath) + " --root  \\n\\";
}

int InstallHack(const HackInstallRequest& request) {
    std::string why;
    const std::string label = request.label.empty() ? request.name : request.label;
    if (!CheckHackName(request.name, why) || !CheckHackLabel(label, why)) {
        std::cerr << "scenepack: " << why << "\n";
        return 2;
    }
    PackedSaver saver;
    std::string error;
    if (!SaverBytes(request, saver, error)) {
        return Fail(error);
    }
    const HackFolders folders = ChooseFolders(request);
    const fs::path hack = fs::path(folders.hacks) / request.name;
    const fs::path description = fs::path(folders.config) / (request.name + ".xml");
    std::error_code ignored;
    if (fs::exists(hack, ignored) && !HoldsScene(hack.string(), why)) {
        return Fail(hack.string() + " is another program; choose another name");
    }
    if (fs::exists(description, ignored) && !MadeByUs(description)) {
        return Fail(description.string() + " describes another hack; choose another name");
    }
    std::error_code made;
    fs::create_directories(folders.hacks, made);
    fs::create_directories(folders.config, made);
    const std::string text = SettingsDescription(request.name, label);
    if (!WriteOutput(hack.string(), saver.bytes, 0755, error) ||
        !WriteOutput(description.string(), Bytes(text.begin(), text.end()), 0644, error)) {
        return Fail(error);
    }
    if (request.quiet) {
        return 0;
    }
    std::cout << "Installed \"" << label << "\" for XScreenSaver:\n"
              << "  saver:    " << hack.string() << "\n"
              << "  settings: " << description.string() << "\n";
    if (!folders.system) {
        std::cout << "XScreenSaver reads settings descriptions only from its own folder,\n"
                  << FoldersUnder(XScreenSaverPrefix()).config
                  << "; copied there, this one describes the saver in its settings too.\n";
    }
    // XScreenSaver's system list is fixed; a hack of our own runs once a
    // user's list names it.
    std::cout << "XScreenSaver runs what its programs: list names. Add this line to that\n"
                 "list in ~/.xscreensaver (xscreensaver-settings then shows the saver):\n\n"
              << "  " << ProgramsLine(label, hack.string()) << "\n";
    return 0;
}
