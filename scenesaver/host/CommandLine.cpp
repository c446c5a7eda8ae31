#include "host/CommandLine.h"

#include "platform/ForeignWindow.h"

#include <algorithm>
#include <cctype>

namespace {
bool IsOption(const std::string& argument, const char* name) {
    // XScreenSaver's hacks accept their options with one dash or two.
    return argument == std::string("-") + name || argument == std::string("--") + name;
}

std::optional<SaverCommandLine> ParseXScreenSaver(const std::vector<std::string>& arguments,
                                                  const char* xscreensaverWindow) {
    SaverCommandLine result;
    result.mode = SaverMode::Embedded;
    const auto windowId =
        std::find_if(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return IsOption(a, "window-id"); });
    if (windowId != arguments.end()) {
        if (windowId + 1 != arguments.end()) {
            result.handle = ParseWindowHandle(*(windowId + 1));
        }
        return result;
    }
    const bool root = std::any_of(arguments.begin(), arguments.end(),
                                  [](const std::string& a) { return IsOption(a, "root"); });
    const bool fromEnvironment = xscreensaverWindow != nullptr && *xscreensaverWindow != '\0';
    if (!root && !(arguments.empty() && fromEnvironment)) {
        return std::nullopt;
    }
    if (fromEnvironment) {
        result.handle = ParseWindowHandle(xscreensaverWindow);
    } else {
        result.useRootWindow = true;
    }
    return result;
}
} // namespace

SaverCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                  const char* xscreensaverWindow) {
    SaverCommandLine result;
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        result.mode = SaverMode::Help;
        return result;
    }
    if (!arguments.empty() && arguments[0] == "--version") {
        result.mode = SaverMode::Version;
        return result;
    }
    if (auto xscreensaver = ParseXScreenSaver(arguments, xscreensaverWindow)) {
        return *xscreensaver;
    }
    if (!arguments.empty() && arguments[0].starts_with("--")) {
        result.mode = SaverMode::BadOption;
        result.option = arguments[0];
        return result;
    }
    if (arguments.empty()) {
        result.mode = SaverMode::Configure;
        return result;
    }
    std::string letter = arguments[0].substr(0, 2);
    if (!letter.empty() && (letter[0] == '-' || letter[0] == '/')) {
        letter.erase(0, 1);
    } else if (letter.size() == 2 && letter[1] == ':') {
        letter.erase(1); // "c:123": the handle after the letter is ignored
    }
    if (letter.size() != 1) {
        return result;
    }
    switch (std::tolower(static_cast<unsigned char>(letter[0]))) {
    case 'c':
        result.mode = SaverMode::Configure;
        result.ownerIsForeground = true;
        break;
    case 'p':
        result.mode = SaverMode::Preview;
        break;
    case 's':
        result.mode = SaverMode::Run;
        break;
    case 'a':
        result.mode = SaverMode::ChangePassword;
        break;
    default:
        return result;
    }
    if ((result.mode == SaverMode::Preview || result.mode == SaverMode::ChangePassword) &&
        arguments.size() >= 2) {
        result.handle = ParseWindowHandle(arguments[1]);
    }
    return result;
}

std::string SaverUsage(const std::string& program) {
    return "usage: " + program +
           " [MODE]\n"
           "Plays the scene appended to this program as a screen saver.\n"
           "\n"
           "  (none)          the settings dialog\n"
           "  /c              the settings dialog, owned by the active window\n"
           "  /s              run full screen; the mouse, a key or a button ends it\n"
           "  /p ID           preview inside the X11 window ID (decimal or 0x hex)\n"
           "  /a ID           change the saver password (ID 0: dialogs without owner)\n"
           "  -root           as an XScreenSaver hack: play in $XSCREENSAVER_WINDOW,\n"
           "                  else on the root window, until SIGTERM\n"
           "  -window-id ID   play inside the X11 window ID until SIGTERM\n"
           "  --help          show this help and exit\n"
           "  --version       show the version and exit\n"
           "\n"
           "Only the first two characters of MODE count; '-' may stand for '/' and\n"
           "the letter's case does not matter. A bare player carries no scene:\n"
           "'scenepack build' appends one to a copy of it, and that copy is the\n"
           "saver; 'scenepack install' installs it as an XScreenSaver hack.\n";
}
