// scenepack: makes a player with a scene from a JSON manifest, shows the
// scene behind a player, and installs a saver as an XScreenSaver hack.

#include "HackInstall.h"
#include "Manifest.h"
#include "Packing.h"
#include "platform/StandardOptions.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/SceneBlock.h"

#include <QJsonDocument>

#include <iostream>
#include <vector>

namespace {

const char* const kUsage =
    "usage: scenepack build MANIFEST.json -o OUT [--player PATH] [--raw]\n"
    "       scenepack dump FILE [--raw] [--json]\n"
    "       scenepack install SCENE NAME [--label TEXT] [--user | --system | --prefix DIR]\n"
    "                                    [--player PATH] [--quiet]\n"
    "\n"
    "  build    append the manifest's scene to a copy of the player (default: the\n"
    "           SceneSaver beside scenepack); --raw writes the bare scene block\n"
    "  dump     list the items of the scene behind FILE; --json prints the whole\n"
    "           scene as a manifest, --raw reads FILE as a bare block\n"
    "  install  install SCENE (a manifest or a saver) as the XScreenSaver hack NAME\n"
    "           with its settings description, system-wide when XScreenSaver's\n"
    "           folders can be written, else for this user, and print the line for\n"
    "           the programs: list in ~/.xscreensaver\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

int Usage() {
    std::cerr << kUsage;
    return kUsageErrorStatus;
}

int Fail(const std::string& message) {
    std::cerr << "scenepack: " << message << "\n";
    return 1;
}

int Build(const std::string& manifestPath, const std::string& outPath, const std::string& player,
          bool raw) {
    PackedSaver saver;
    std::string error;
    if (!PackManifest(manifestPath, player, raw, saver, error) ||
        !WriteOutput(outPath, saver.bytes, saver.mode, error)) {
        return Fail(error);
    }
    return 0;
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

struct Options {
    std::vector<std::string> positional;
    std::string output;
    std::string player;
    std::string label;
    std::string prefix;
    bool raw = false;
    bool json = false;
    bool user = false;
    bool system = false;
    bool quiet = false;
};

int Install(const Options& options) {
    if (options.positional.size() != 3 || !options.output.empty() || options.raw || options.json ||
        (options.user + options.system + !options.prefix.empty()) > 1) {
        return Usage();
    }
    HackInstallRequest request;
    request.scene = options.positional[1];
    request.name = options.positional[2];
    request.label = options.label;
    request.player = options.player;
    request.quiet = options.quiet;
    if (options.user) {
        request.target = HackTarget::User;
    } else if (options.system) {
        request.target = HackTarget::System;
    } else if (!options.prefix.empty()) {
        request.target = HackTarget::Prefix;
        request.prefix = options.prefix;
    }
    return InstallHack(request);
}

} // namespace

// Options may stand before or after the files.
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto answered = AnswerStandardOptions(args, "scenepack", kUsage)) {
        return *answered;
    }
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool valued = i + 1 < args.size();
        if (arg == "-o" && valued) {
            options.output = args[++i];
        } else if (arg == "--player" && valued) {
            options.player = args[++i];
        } else if (arg == "--label" && valued) {
            options.label = args[++i];
        } else if (arg == "--prefix" && valued) {
            options.prefix = args[++i];
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--user") {
            options.user = true;
        } else if (arg == "--system") {
            options.system = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "-o" || arg == "--player" || arg == "--label" || arg == "--prefix") {
            std::cerr << "scenepack: option '" << arg << "' needs a value\n";
            return Usage();
        } else if (arg.starts_with("-") && arg != "-") {
            return RejectOption("scenepack", arg);
        } else {
            options.positional.push_back(arg);
        }
    }
    const std::string command = options.positional.empty() ? "" : options.positional[0];
    const bool installOnly =
        options.user || options.system || !options.prefix.empty() || !options.label.empty();
    if (command == "install") {
        return Install(options);
    }
    if (options.positional.size() != 2 || installOnly) {
        return Usage();
    }
    if (command == "build" && !options.output.empty() && !options.json) {
        return Build(options.positional[1], options.output, options.player, options.raw);
    }
    if (command == "dump" && options.output.empty() && options.player.empty()) {
        return Dump(options.positional[1], options.raw, options.json);
    }
    return Usage();
}
