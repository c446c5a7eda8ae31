#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> ReadFile(const std::string& path);

// Writes through a temporary file beside the target, so that a failed write
// leaves no half file and a running saver keeps its old file.
bool WriteOutput(const std::string& path, const Bytes& bytes, mode_t mode, std::string& error);

// The bare player next to this program.
std::string DefaultPlayer();

// A packed saver: the player's image (a player that carries a scene already
// is cut back to it) with the scene block of the manifest appended, and the
// player's permissions. With raw, the bare block with mode 0644.
struct PackedSaver {
    Bytes bytes;
    mode_t mode = 0755;
};
bool PackManifest(const std::string& manifestPath, std::string playerPath, bool raw,
                  PackedSaver& out, std::string& error);
