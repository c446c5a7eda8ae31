#include "core/program_directory.h"

#include <filesystem>
#include <system_error>

namespace {
std::string directory = ".";
}

void find_program_directory(const char* argv0) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty()) {
        exe = argv0 ? std::filesystem::path(argv0) : std::filesystem::path();
    }
    std::filesystem::path parent = exe.parent_path();
    directory = parent.empty() ? std::string(".") : parent.string();
}

void set_program_directory(std::string folder) {
    directory = std::move(folder);
}

const std::string& program_directory() {
    return directory;
}

std::string data_path(std::string_view name) {
    std::string path = directory;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}
