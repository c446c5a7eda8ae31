// zorbo-content --source DIR --output DIR [--preview DIR]
// zorbo-content --list FILE.dat      (index, type, size and name of each object)
#include "content/zorbo_content.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
int list_datafile(const char* path) {
    DATAFILE* data = load_datafile(path);
    if (!data) {
        std::fprintf(stderr, "zorbo-content: cannot load %s\n", path);
        return 1;
    }
    for (int i = 0; data[i].type != DAT_END; ++i) {
        int type = data[i].type;
        std::printf("%3d  %c%c%c%c  %8ld  %s\n", i, (type >> 24) & 0xff, (type >> 16) & 0xff,
                    (type >> 8) & 0xff, type & 0xff, data[i].size,
                    get_datafile_property(&data[i], DAT_ID('N', 'A', 'M', 'E')));
    }
    unload_datafile(data);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--list") == 0) {
        if (install_allegro(SYSTEM_NONE, &errno, nullptr) != 0) {
            return 1;
        }
        set_color_depth(8);
        int result = list_datafile(argv[2]);
        allegro_exit();
        return result;
    }
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
