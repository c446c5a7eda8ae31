#include "scene/SceneBlock.h"

#include "platform/ExecutableImage.h"
#include "platform/MappedFile.h"
#include "scene/Archive.h"
#include "scene/Scene.h"

#include <cmath>
#include <filesystem>
#include <new>

namespace {

// The reserved value, the signature and the version; leaves the version in
// the archive for the item layouts.
bool ReadBlockHead(CArchive& ar) {
    std::uint32_t reserved = 0;
    std::string signature;
    float version = 0.0F;
    if (!ar.ReadU32(reserved, "reserved value") || !ar.ReadString(signature, "signature")) {
        return false;
    }
    if (signature != SCENE_SIGNATURE) {
        return ar.Fail("the signature is not \"" + std::string(SCENE_SIGNATURE) + "\"");
    }
    if (!ar.ReadFloat(version, "format version")) {
        return false;
    }
    // The stored single-precision version is held against the double
    // constant, so 4.01f (4.0100002) is already too new. A version that is not
    // a number is garbage, not an old format.
    if (std::isnan(version) || static_cast<double>(version) > SCENE_FORMAT_LIMIT) {
        return ar.Fail("format version " + std::to_string(version) + " is not supported");
    }
    ar.m_version = version;
    return true;
}

} // namespace

std::unique_ptr<CMappedFile> MapAppendedBlock(const std::string& executablePath, std::string& why) {
    const std::optional<std::uint64_t> imageEnd = ExecutableImageEnd(executablePath, &why);
    if (!imageEnd) {
        return nullptr;
    }
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(executablePath, error);
    if (error) {
        why = "cannot read the size of " + executablePath;
        return nullptr;
    }
    // The image end lies inside the file, so the block is never longer than
    // the file; nothing else limits it.
    if (fileSize <= *imageEnd) {
        why = "nothing is appended to the executable";
        return nullptr;
    }
    return CMappedFile::Map(executablePath, *imageEnd, fileSize - *imageEnd, why);
}

bool ReadAppendedBlock(const std::string& executablePath, std::vector<std::uint8_t>& block,
                       std::string& why) {
    const std::unique_ptr<CMappedFile> mapped = MapAppendedBlock(executablePath, why);
    if (!mapped) {
        return false;
    }
    try {
        block.assign(mapped->Bytes().begin(), mapped->Bytes().end());
    } catch (const std::bad_alloc&) {
        why = "no memory for the appended block";
        return false;
    }
    return true;
}

namespace {
bool ReadFromArchive(CArchive& ar, CScene& scene, std::string& why) {
    try {
        if (ReadBlockHead(ar) && scene.Read(ar)) {
            return true;
        }
        why = ar.Error();
    } catch (const std::bad_alloc&) {
        // every size was checked against the block, but the block may be
        // larger than the memory there is
        why = "no memory for the items at offset " + std::to_string(ar.Position());
    }
    scene.RemoveAll();
    return false;
}
} // namespace

bool ReadSceneBlock(std::span<const std::uint8_t> block, CScene& scene, std::string& why) {
    CArchive ar(block);
    return ReadFromArchive(ar, scene, why);
}

bool ReadSceneBlock(std::unique_ptr<CMappedFile> block, CScene& scene, std::string& why) {
    CArchive ar(block->Bytes(), CArchive::InPlace{}, block.get());
    const bool read = ReadFromArchive(ar, scene, why);
    // From here on a stray write into the block is a fault, not silent
    // damage; embedded files are put right through the mapping when used.
    block->Seal();
    scene.KeepBlock(std::move(block));
    return read;
}

bool LoadSceneBlock(std::span<const std::uint8_t> block, CScene& scene) {
    std::string why;
    return ReadSceneBlock(block, scene, why) && scene.Prepare();
}

bool LoadSceneBlock(const std::string& executablePath, CScene& scene) {
    std::string why;
    std::unique_ptr<CMappedFile> block = MapAppendedBlock(executablePath, why);
    return block && ReadSceneBlock(std::move(block), scene, why) && scene.Prepare();
}
