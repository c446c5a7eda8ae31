// Runs arbitrary bytes through the whole picture loading path: a file,
// detection, the decoders, the icon fallback and the device bitmap.
#include "platform/MessageBox.h"
#include "scene/PictureItem.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
// One scratch file for the whole run, removed at exit. A plain array, so
// that it outlives the exit handler that removes the file.
char scratchPath[] = "/tmp/picture-load-fuzz-XXXXXX";

const char* ScratchPath() {
    static const bool made = [] {
        const int fd = mkstemp(scratchPath);
        if (fd >= 0) {
            close(fd);
        }
        SetMessagePresenter([](const std::string&, MessageIcon) {});
        std::atexit([] { std::remove(scratchPath); });
        return fd >= 0;
    }();
    return made ? scratchPath : nullptr;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = ScratchPath();
    std::FILE* file = path != nullptr ? std::fopen(path, "wb") : nullptr;
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CPictureItem item;
    if (item.LoadPictureFile(path) != 0) {
        // A loaded picture has a bitmap of the size it reports.
        if (item.m_bitmap.image.size() != item.GetSize()) {
            __builtin_trap();
        }
    }
    return 0;
}
