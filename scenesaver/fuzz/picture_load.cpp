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
const std::string& ScratchPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/picture-load-fuzz-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0) {
            close(fd);
        }
        SetMessagePresenter([](const std::string&, MessageIcon) {});
        std::atexit([] { std::remove(ScratchPath().c_str()); });
        return std::string(pattern);
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = ScratchPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
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
