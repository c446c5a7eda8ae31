#pragma once

#include <cstdio>

namespace wkit {

// What a program says about itself on its command line.
struct ProgramInfo {
    const char* name;    // as typed, e.g. "Noterix"
    const char* version; // e.g. "1.06"
    const char* summary; // one line: what the program is
    const char* manual;  // its manual page ("Noterix(1)"), or nullptr
};

// The command line before anything is shown: --help and --version answer and
// end the program; the toolkit's own options (-display NAME, -platform NAME,
// -session ID as a session manager restarts us, ...) pass through; anything
// else is an error. Returns the exit status to end with (0 after --help or
// --version, 2 after an error), or -1 to go on.
int CheckCommandLine(int argc, char** argv, const ProgramInfo& info, std::FILE* out,
                     std::FILE* err);

} // namespace wkit
