#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class SaverMode {
    None,           // unknown letter: end at once
    Configure,      // settings dialog
    Preview,        // child of the handle's window
    Run,            // full screen
    ChangePassword, // password dialogs owned by the handle's window
    Embedded,       // XScreenSaver: play inside its window, no exit rules
    Help,           // "--help" (or "-h"): print the usage, no window
    Version,        // "--version": print the version, no window
    BadOption,      // a "--" option of none of the above: usage error
};

struct SaverCommandLine {
    SaverMode mode = SaverMode::None;
    // Configure: owned by the foreground window ("c"), or by none (no argument).
    bool ownerIsForeground = false;
    // Preview, ChangePassword, Embedded: the window; empty when it is missing
    // or not a number. Embedded with useRootWindow plays on the root window.
    std::optional<std::uint64_t> handle;
    bool useRootWindow = false;
    // BadOption: the option as given.
    std::string option;
};

// Reads the arguments after the program name. A first argument of
// "--help", "-h" or "--version" asks for that answer. XScreenSaver's forms
// come next: "-window-id ID", "-root" (XScreenSaver's window when
// $XSCREENSAVER_WINDOW is set, else the root window) and, with no argument
// at all, $XSCREENSAVER_WINDOW. Then the screen-saver protocol: the first
// two characters of the first argument, without a leading '-' or '/',
// compared with c, p, s, a without regard to case; a ":number" right after
// the letter is ignored; the handle of p and a is the second argument.
// Screen-saver protocols never start a program with "--", so a first
// argument of that form that is none of the above is a mistyped option.
SaverCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                  const char* xscreensaverWindow);

// What "--help" prints for the player started as program.
std::string SaverUsage(const std::string& program);
