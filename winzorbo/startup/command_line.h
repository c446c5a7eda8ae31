#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "rocket/game_style.h"

// What the command line asks for. "--play NAME [--style strict|lenient|
// bouncy] [--target N]" starts a match directly after the intro; its
// results and the menus follow.
struct CommandLine {
    bool help = false;    // "--help": the usage on standard output, nothing else
    bool version = false; // "--version": the version, nothing else
    bool fullscreen = false;
    std::string play; // base name, empty: no match
    GameStyle style = style_strict;
    int target = 3;
    std::string error; // not empty: the arguments cannot be used
};

CommandLine parse_command_line(int argc, char** argv);

// The options, one a line, for --help (standard output) and after an error
// (standard error).
void print_usage(std::FILE* stream);

// "strict", "lenient", "bouncy".
std::optional<GameStyle> style_from_name(const std::string& name);
