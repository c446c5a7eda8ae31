#include "platform/StandardOptions.h"

#include <cstdio>
#include <cstring>

#ifndef SCENESAVER_VERSION
#error "the build defines SCENESAVER_VERSION from the project version"
#endif

const char* SceneSaverVersion() {
    return SCENESAVER_VERSION;
}

std::string VersionLine(const std::string& program) {
    if (program == "SceneSaver") {
        return program + " " + SceneSaverVersion();
    }
    return program + " (SceneSaver) " + SceneSaverVersion();
}

// A full disk or a closed pipe is a failure, not an answer.
int PrintHelp(const std::string& usage) {
    std::fputs(usage.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int PrintVersion(const std::string& program) {
    std::printf("%s\n", VersionLine(program).c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

std::optional<int> AnswerStandardOptions(const std::vector<std::string>& arguments,
                                         const std::string& program, const std::string& usage) {
    for (const std::string& argument : arguments) {
        if (argument == "--help") {
            return PrintHelp(usage);
        }
        if (argument == "--version") {
            return PrintVersion(program);
        }
    }
    return std::nullopt;
}

int RejectOption(const std::string& program, const std::string& option) {
    std::fprintf(stderr, "%s: unknown option '%s'\nTry '%s --help' for more information.\n",
                 program.c_str(), option.c_str(), program.c_str());
    return kUsageErrorStatus;
}

std::string ProgramName(const char* argv0, const char* fallback) {
    if (argv0 == nullptr || *argv0 == '\0') {
        return fallback;
    }
    const char* slash = std::strrchr(argv0, '/');
    const char* name = slash != nullptr ? slash + 1 : argv0;
    return *name != '\0' ? name : fallback;
}
