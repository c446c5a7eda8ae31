#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CMappedFile;
class CScene;

// Every scene block starts with this text (string 34026 of the program).
inline constexpr int IDS_SCENE_SIGNATURE = 34026;
inline constexpr std::string_view SCENE_SIGNATURE = "SceneSaverBlock";

// The newest format version this player reads.
inline constexpr double SCENE_FORMAT_LIMIT = 4.01;

// Maps the bytes appended to the executable's ELF image, however many. Null,
// with the reason in why, when the file cannot be read, is not an ELF
// executable or has nothing appended.
std::unique_ptr<CMappedFile> MapAppendedBlock(const std::string& executablePath, std::string& why);
// The same bytes copied, for tools that look at a block.
bool ReadAppendedBlock(const std::string& executablePath, std::vector<std::uint8_t>& block,
                       std::string& why);

// Reads a scene block into the scene without preparing its items: nothing is
// decoded and no message is shown. False, with the reason in why, when the
// block is bad. Embedded files are copied out of the bytes.
bool ReadSceneBlock(std::span<const std::uint8_t> block, CScene& scene, std::string& why);
// The same over a mapped block, which the scene keeps: embedded files are
// views into it.
bool ReadSceneBlock(std::unique_ptr<CMappedFile> block, CScene& scene, std::string& why);

// Reads a scene block and prepares its items. A bad block fails silently; an
// item that cannot be prepared shows its message first.
bool LoadSceneBlock(std::span<const std::uint8_t> block, CScene& scene);

// Loads the scene block appended to the executable at the path.
bool LoadSceneBlock(const std::string& executablePath, CScene& scene);
