#include "scene/SceneBlock.h"

#include "platform/ExecutableImage.h"
#include "scene/Archive.h"
#include "scene/Scene.h"

#include <cmath>
#include <cstdio>
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

bool ReadAppendedBlock(const std::string& executablePath, std::vector<std::uint8_t>& block,
                       std::string& why) {
    const std::optional<std::uint64_t> imageEnd = ExecutableImageEnd(executablePath, &why);
    if (!imageEnd) {
        return false;
    }
    std::FILE* file = std::fopen(executablePath.c_str(), "rb");
    if (file == nullptr) {
        why = "cannot open " + executablePath;
        return false;
    }
    bool ok = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        const auto fileSize = static_cast<std::uint64_t>(size < 0 ? 0 : size);
        if (size < 0 || fileSize <= *imageEnd) {
            why = "nothing is appended to the executable";
        } else if (fileSize - *imageEnd > SCENE_BLOCK_MAX_SIZE) {
            why = "the appended block is larger than " + std::to_string(SCENE_BLOCK_MAX_SIZE) +
                  " bytes";
        } else if (std::fseek(file, static_cast<long>(*imageEnd), SEEK_SET) == 0) {
            try {
                block.resize(static_cast<std::size_t>(fileSize - *imageEnd));
                ok = std::fread(block.data(), 1, block.size(), file) == block.size();
                why = ok ? "" : "cannot read the appended block";
            } catch (const std::bad_alloc&) {
                why = "no memory for the appended block";
            }
        }
    }
    std::fclose(file);
    return ok;
}

bool ReadSceneBlock(std::span<const std::uint8_t> block, CScene& scene, std::string& why) {
    CArchive ar(block);
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

bool LoadSceneBlock(std::span<const std::uint8_t> block, CScene& scene) {
    std::string why;
    return ReadSceneBlock(block, scene, why) && scene.Prepare();
}

bool LoadSceneBlock(const std::string& executablePath, CScene& scene) {
    std::vector<std::uint8_t> block;
    std::string why;
    return ReadAppendedBlock(executablePath, block, why) && LoadSceneBlock(block, scene);
}
