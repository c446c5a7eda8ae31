#include "startup/command_line.h"

#include <charconv>
#include <cstring>

std::optional<GameStyle> style_from_name(const std::string& name) {
    if (name == "strict") {
        return style_strict;
    }
    if (name == "lenient") {
        return style_lenient;
    }
    if (name == "bouncy") {
        return style_bouncy;
    }
    return std::nullopt;
}

CommandLine parse_command_line(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool has_value = i + 1 < argc;
        if (argument == "--help") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--fullscreen") {
            line.fullscreen = true;
        } else if (argument == "--play" && has_value) {
            line.play = argv[++i];
        } else if (argument == "--style" && has_value) {
            auto style = style_from_name(argv[++i]);
            if (!style) {
                line.error = std::string("unknown style: ") + argv[i];
                return line;
            }
            line.style = *style;
        } else if (argument == "--target" && has_value) {
            const char* value = argv[++i];
            const char* end = value + std::strlen(value);
            int target = 0;
            auto [rest, problem] = std::from_chars(value, end, target);
            if (problem != std::errc{} || rest != end || target < 1 || target > 999) {
                line.error = std::string("target must be 1..999: ") + value;
                return line;
            }
            line.target = target;
        } else if (!has_value &&
                   (argument == "--play" || argument == "--style" || argument == "--target")) {
            line.error = argument + " needs a value";
            return line;
        } else {
            line.error = "unknown argument: " + argument;
            return line;
        }
    }
    return line;
}

void print_usage(std::FILE* stream) {
    std::fputs("usage: WinZorbo [--fullscreen] [--play NAME [--style strict|lenient|bouncy] "
               "[--target N]]\n"
               "  --fullscreen      a full-screen 640x480 mode instead of a window\n"
               "  --play NAME       a match on the playfield NAME right after the intro\n"
               "  --style STYLE     its style: strict (the default), lenient or bouncy\n"
               "  --target N        the points that win it, 1..999 (3 by default)\n"
               "  --help            this text\n"
               "  --version         the version\n",
               stream);
}
