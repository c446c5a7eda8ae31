#include "wkit/CommandLine.h"

#include <cstring>
#include <span>
#include <string_view>

namespace wkit {

namespace {

// The toolkit's options that a person or a session manager may give, with a
// value, and without.
constexpr std::string_view toolkitWithValue[] = {
    "-display", "-platform",        "-session",      "-style",       "-stylesheet",
    "-name",    "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-platformtheme"};
constexpr std::string_view toolkitFlags[] = {"-reverse", "-sync"};

bool Among(std::string_view argument, std::span<const std::string_view> names) {
    for (const std::string_view name : names) {
        if (argument == name) {
            return true;
        }
    }
    return false;
}

} // namespace

int CheckCommandLine(int argc, char** argv, const ProgramInfo& info, std::FILE* out,
                     std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i] != nullptr ? argv[i] : "";
        if (argument == "--help" || argument == "-h") {
            std::fprintf(out,
                         "Usage: %s [--help] [--version]\n"
                         "%s\n\n"
                         "  -h, --help     show this help and end\n"
                         "      --version  show the version and end\n\n"
                         "The toolkit's -display NAME and -platform NAME are understood too.\n",
                         info.name, info.summary);
            if (info.manual != nullptr) {
                std::fprintf(out, "More in %s.\n", info.manual);
            }
            return 0;
        }
        if (argument == "--version") {
            std::fprintf(out, "%s %s\n", info.name, info.version);
            return 0;
        }
        if (Among(argument, toolkitWithValue)) {
            if (i + 1 >= argc) {
                std::fprintf(err, "%s: %s needs a value\nTry '%s --help'.\n", info.name, argv[i],
                             info.name);
                return 2;
            }
            ++i;
            continue;
        }
        if (Among(argument, toolkitFlags)) {
            continue;
        }
        std::fprintf(err, "%s: %s '%s'\nTry '%s --help'.\n", info.name,
                     argument.starts_with('-') ? "unknown option" : "unexpected argument", argv[i],
                     info.name);
        return 2;
    }
    return -1;
}

} // namespace wkit
