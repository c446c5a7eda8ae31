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
    if (auto xscreensaver = ParseXScreenSaver(arguments, xscreensaverWindow)) {
        return *xscreensaver;
    }
    SaverCommandLine result;
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
