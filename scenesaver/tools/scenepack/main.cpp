// scenepack: makes a player with a scene from a JSON manifest, and shows the
// scene behind a player.
//
//   scenepack build MANIFEST.json -o OUT [--player PATH] [--raw]
//   scenepack dump FILE [--raw] [--json]

#include "BlockWriter.h"
#include "Manifest.h"
#include "platform/ExecutableImage.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/SceneBlock.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

int Usage() {
    std::cerr << "usage: scenepack build MANIFEST.json -o OUT [--player PATH] [--raw]\n"
                 "       scenepack dump FILE [--raw] [--json]\n";
    return 2;
}

int Fail(const std::string& message) {
    std::cerr << "scenepack: " << message << "\n";
    return 1;
}

std::optional<Bytes> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bare player next to this program.
std::string DefaultPlayer() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "SceneSaver").string();
}

// Writes through a temporary file, so a failed build leaves no half file.
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

int Build(const std::string& manifestPath, const std::string& outPath, std::string playerPath,
          bool raw) {
    QFile manifest(QString::fromStdString(manifestPath));
    if (!manifest.open(QIODevice::ReadOnly)) {
        return Fail("cannot read " + manifestPath);
    }
    CScene factory;
    ManifestScene scene;
    std::string error;
    const std::string baseDir = QFileInfo(manifest).absolutePath().toStdString();
    if (!ParseManifest(manifest.readAll(), baseDir, factory, scene, error)) {
        return Fail(manifestPath + ": " + error);
    }
    const Bytes block = WriteSceneBlock(scene.items, scene.reserved);
    if (raw) {
        return WriteOutput(outPath, block, 0644, error) ? 0 : Fail(error);
    }
    if (playerPath.empty()) {
        playerPath = DefaultPlayer();
    }
    // A player that carries a scene already is cut back to its image.
    const std::optional<std::uint64_t> imageEnd = ExecutableImageEnd(playerPath, &error);
    std::optional<Bytes> player = ReadFile(playerPath);
    if (!imageEnd || !player) {
        return Fail("player " + playerPath + ": " + (error.empty() ? "cannot be read" : error));
    }
    player->resize(static_cast<std::size_t>(*imageEnd));
    player->insert(player->end(), block.begin(), block.end());
    struct stat info {};
    const mode_t mode = stat(playerPath.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0755;
    return WriteOutput(outPath, *player, mode, error) ? 0 : Fail(error);
}

int Dump(const std::string& path, bool raw, bool json) {
    Bytes block;
    std::string why;
    if (raw) {
        std::optional<Bytes> file = ReadFile(path);
        if (!file) {
            return Fail("cannot read " + path);
        }
        block = std::move(*file);
    } else if (!ReadAppendedBlock(path, block, why)) {
        return Fail(path + ": " + why);
    }
    CScene scene;
    if (!ReadSceneBlock(block, scene, why)) {
        return Fail(path + ": bad scene block: " + why);
    }
    if (json) {
        const std::uint32_t reserved = block[0] | (block[1] << 8) | (block[2] << 16) |
                                       (static_cast<std::uint32_t>(block[3]) << 24);
        std::cout << QJsonDocument(SceneToManifest(scene.Items(), reserved))
                         .toJson(QJsonDocument::Indented)
                         .toStdString();
        return 0;
    }
    for (const auto& item : scene.Items()) {
        std::cout << item->m_index << '\t' << item->m_kind << '\t'
                  << FromWindows1252(item->m_label.m_text).toStdString() << '\n';
    }
    return 0;
}

} // namespace

// Options may stand before or after the file.
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> positional;
    std::string output;
    std::string player;
    bool raw = false;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (args[i] == "--player" && i + 1 < args.size()) {
            player = args[++i];
        } else if (args[i] == "--raw") {
            raw = true;
        } else if (args[i] == "--json") {
            json = true;
        } else if (args[i].starts_with("-") && args[i] != "-") {
            return Usage();
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        return Usage();
    }
    if (positional[0] == "build" && !output.empty() && !json) {
        return Build(positional[1], output, player, raw);
    }
    if (positional[0] == "dump" && output.empty() && player.empty()) {
        return Dump(positional[1], raw, json);
    }
    return Usage();
}
