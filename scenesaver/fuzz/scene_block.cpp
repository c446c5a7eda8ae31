// Feeds arbitrary bytes to the scene block reader, the item preparation that
// follows it and the executable image scanner that finds the block.

#include "platform/ExecutableImage.h"
#include "platform/MessageBox.h"
#include "platform/TempFolder.h"
#include "scene/Scene.h"
#include "scene/SceneBlock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        SetMessagePresenter([](const std::string&, MessageIcon) {});
        // Embedded pictures are written to the private temporary folder, as
        // in the saver, which removes it when it ends; so must the fuzzer.
        std::atexit(RemovePrivateTempFolder);
        return true;
    }();
    (void)quiet;
    const std::span<const std::uint8_t> bytes(data, size);
    CScene scene;
    std::string why;
    if (ReadSceneBlock(bytes, scene, why)) {
        scene.Prepare();
    }
    ExecutableImageEnd(bytes);
    return 0;
}
