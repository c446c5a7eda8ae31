#include "platform/TempFolder.h"

#include <QDir>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {
std::mutex folderMutex;
std::string folder; // with trailing '/', empty until created

std::string CreateFolder() {
    std::string base = QDir::tempPath().toStdString();
    std::string pattern = base + "/scenesaver-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) { // mkdtemp makes it 0700
        return {};
    }
    return std::string(buffer.data()) + "/";
}
} // namespace

std::string PrivateTempFolder() {
    std::lock_guard lock(folderMutex);
    if (folder.empty()) {
        folder = CreateFolder();
    }
    return folder;
}

std::string MakeTempFile(const std::string& prefix) {
    const std::string dir = PrivateTempFolder();
    if (dir.empty()) {
        return {};
    }
    std::string pattern = dir + prefix.substr(0, 3) + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data());
    if (fd < 0) {
        return {};
    }
    close(fd);
    return std::string(buffer.data());
}

void RemovePrivateTempFolder() {
    std::lock_guard lock(folderMutex);
    if (folder.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    folder.clear();
}
