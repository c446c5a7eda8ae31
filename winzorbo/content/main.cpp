// zorbo-content --source DIR --output DIR [--preview DIR]
// zorbo-content --list FILE.dat      (index, type, size and name of each object)
// zorbo-content --icons DIR NAME     (the program's icons in a hicolor tree)
#include "content/icon.h"
#include "content/zorbo_content.h"
#include "core/program_version.h"

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

constexpr const char* usage_text =
    "usage: zorbo-content --source DIR --output DIR [--preview DIR]\n"
    "       zorbo-content --list FILE.dat\n"
    "       zorbo-content --icons DIR NAME\n"
    "Draws, synthesises and compiles WinZorbo's data files from the maps and texts in\n"
    "the source folder; --preview also writes pictures of them; --list shows the\n"
    "objects of a datafile; --icons draws the program's icons as DIR/hicolor/*/apps/\n"
    "NAME.png and .svg.\n"
    "  --help, --version\n";

int usage(const std::string& problem) {
    std::fprintf(stderr, "zorbo-content: %s\n%s", problem.c_str(), usage_text);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage_text, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        print_version("zorbo-content");
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--icons") == 0) {
        std::string problem;
        if (!write_icons(argv[2], argv[3], problem)) {
            std::fprintf(stderr, "zorbo-content: %s\n", problem.c_str());
            return 1;
        }
        return 0;
    }
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
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::string* value = option == "--source"    ? &source
                             : option == "--output"  ? &output
                             : option == "--preview" ? &preview
                                                     : nullptr;
        if (!value) {
            return usage("unknown argument: " + option);
        }
        if (i + 1 >= argc) {
            return usage(option + " needs a value");
        }
        *value = argv[++i];
    }
    if (source.empty() || output.empty()) {
        return usage("--source and --output are needed");
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
