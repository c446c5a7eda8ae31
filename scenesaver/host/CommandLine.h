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
};

struct SaverCommandLine {
    SaverMode mode = SaverMode::None;
    // Configure: owned by the foreground window ("c"), or by none (no argument).
    bool ownerIsForeground = false;
    // Preview, ChangePassword, Embedded: the window; empty when it is missing
    // or not a number. Embedded with useRootWindow plays on the root window.
    std::optional<std::uint64_t> handle;
    bool useRootWindow = false;
};

// Reads the arguments after the program name. XScreenSaver's forms come
// first: "-window-id ID", "-root" (XScreenSaver's window when
// $XSCREENSAVER_WINDOW is set, else the root window) and, with no argument
// at all, $XSCREENSAVER_WINDOW. Then the screen-saver protocol: the first
// two characters of the first argument, without a leading '-' or '/',
// compared with c, p, s, a without regard to case; a ":number" right after
// the letter is ignored; the handle of p and a is the second argument.
SaverCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                  const char* xscreensaverWindow);
