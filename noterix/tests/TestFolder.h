#pragma once

#include "plat/String.h"

#include <string>

// A private folder for one test, removed with everything in it afterwards.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Join(const std::string& name) const { return path_ + "/" + name; }

    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);
    static bool FileExists(const std::string& path);

private:
    std::string path_;
};

// Points HOME and XDG_CONFIG_HOME into a test folder, and back afterwards.
class ScopedHome {
public:
    explicit ScopedHome(const std::string& home);
    ~ScopedHome();

private:
    std::string oldHome_, oldConfig_;
    bool hadHome_, hadConfig_;
};

// Sets TZ for the time of one test.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();

private:
    std::string old_;
    bool had_;
};
