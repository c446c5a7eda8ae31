#include "core/program_version.h"

#include <cstdio>
#include <cstring>

#ifndef WINZORBO_VERSION
#error "WINZORBO_VERSION comes from the project's version"
#endif

const char* program_version() {
    return WINZORBO_VERSION;
}

void print_version(const char* program) {
    if (std::strcmp(program, "WinZorbo") == 0) {
        std::printf("WinZorbo %s\n", WINZORBO_VERSION);
    } else {
        std::printf("%s (WinZorbo) %s\n", program, WINZORBO_VERSION);
    }
}
