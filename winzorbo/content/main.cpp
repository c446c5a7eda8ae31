// zorbo-content --source DIR --output DIR [--preview DIR]
#include "content/zorbo_content.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string source, output, preview;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--source") == 0) {
            source = argv[i + 1];
        } else if (std::strcmp(argv[i], "--output") == 0) {
            output = argv[i + 1];
        } else if (std::strcmp(argv[i], "--preview") == 0) {
            preview = argv[i + 1];
        }
    }
    if (source.empty() || output.empty()) {
        std::fprintf(stderr, "usage: zorbo-content --source DIR --output DIR [--preview DIR]\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, nullptr) != 0) {
        std::fprintf(stderr, "zorbo-content: Allegro did not start\n");
        return 1;
    }
    std::vector<std::string> problems;
    bool ok = build_content(source, output, preview, problems);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "zorbo-content: %s\n", problem.c_str());
    }
    allegro_exit();
    return ok ? 0 : 1;
}
