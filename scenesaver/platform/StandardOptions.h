#pragma once

#include <optional>
#include <string>
#include <vector>

// The options that the player and every tool answer alike, the way desktop
// programs do: "--help" prints the usage on standard output and "--version"
// the program's name and version; both end the program with status 0. An
// option a program does not know is reported on standard error and ends it
// with status 2, the status of a usage error.

inline constexpr int kUsageErrorStatus = 2;

// The package version, the same for the player and its tools.
const char* SceneSaverVersion();

// "SceneSaver 1.0.0" for the player itself, "NAME (SceneSaver) 1.0.0" for a
// saver or a tool of another name.
std::string VersionLine(const std::string& program);

// Print the usage or the version line on standard output; the exit status.
int PrintHelp(const std::string& usage);
int PrintVersion(const std::string& program);

// The exit status when one of the arguments is "--help" or "--version"
// (whichever comes first), after the answer was printed; empty otherwise.
std::optional<int> AnswerStandardOptions(const std::vector<std::string>& arguments,
                                         const std::string& program, const std::string& usage);

// Prints "PROGRAM: unknown option 'OPTION'" and where to find the usage;
// returns the usage error status.
int RejectOption(const std::string& program, const std::string& option);

// The file name a program was started by, for its messages.
std::string ProgramName(const char* argv0, const char* fallback);
