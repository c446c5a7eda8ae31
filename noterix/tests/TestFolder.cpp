#include "TestFolder.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

TestFolder::TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "noterix-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; open them up first.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        ::chmod(it->path().c_str(), 0700);
    }
    ::chmod(path_.c_str(), 0700);
    std::filesystem::remove_all(path_, ignored);
}

void TestFolder::WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestFolder::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TestFolder::FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

namespace {
void Restore(const char* name, bool had, const std::string& value) {
    if (had) {
        ::setenv(name, value.c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}
} // namespace

ScopedHome::ScopedHome(const std::string& home) {
    const char* h = std::getenv("HOME");
    const char* c = std::getenv("XDG_CONFIG_HOME");
    hadHome_ = h != nullptr;
    hadConfig_ = c != nullptr;
    oldHome_ = h ? h : "";
    oldConfig_ = c ? c : "";
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
}

ScopedHome::~ScopedHome() {
    Restore("HOME", hadHome_, oldHome_);
    Restore("XDG_CONFIG_HOME", hadConfig_, oldConfig_);
}

ScopedTimeZone::ScopedTimeZone(const char* zone) {
    const char* old = std::getenv("TZ");
    had_ = old != nullptr;
    old_ = old ? old : "";
    ::setenv("TZ", zone, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    Restore("TZ", had_, old_);
    ::tzset();
}
