#include "Packing.h"

#include "BlockWriter.h"
#include "Manifest.h"
#include "platform/ExecutableImage.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

std::optional<Bytes> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string DefaultPlayer() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "SceneSaver").string();
}

bool WriteOutput(const std::string& path, const Bytes& bytes, mode_t mode, std::string& error) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            error = "cannot write " + path;
            return false;
        }
    }
    if (chmod(temporary.c_str(), mode) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool PackManifest(const std::string& manifestPath, std::string playerPath, bool raw,
                  PackedSaver& out, std::string& error) {
    QFile manifest(QString::fromStdString(manifestPath));
    if (!manifest.open(QIODevice::ReadOnly)) {
        error = "cannot read " + manifestPath;
        return false;
    }
    CScene factory;
    ManifestScene scene;
    const std::string baseDir = QFileInfo(manifest).absolutePath().toStdString();
    if (!ParseManifest(manifest.readAll(), baseDir, factory, scene, error)) {
        error = manifestPath + ": " + error;
        return false;
    }
    const Bytes block = WriteSceneBlock(scene.items, scene.reserved);
    if (raw) {
        out = {block, 0644};
        return true;
    }
    if (playerPath.empty()) {
        playerPath = DefaultPlayer();
    }
    const std::optional<std::uint64_t> imageEnd = ExecutableImageEnd(playerPath, &error);
    std::optional<Bytes> player = ReadFile(playerPath);
    if (!imageEnd || !player) {
        error = "player " + playerPath + ": " + (error.empty() ? "cannot be read" : error);
        return false;
    }
    player->resize(static_cast<std::size_t>(*imageEnd));
    player->insert(player->end(), block.begin(), block.end());
    struct stat info {};
    out.mode = stat(playerPath.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0755;
    out.bytes = std::move(*player);
    return true;
}
