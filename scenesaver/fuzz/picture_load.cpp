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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        SetMessagePresenter([](const std::string&, MessageIcon) {});
        return true;
    }();
    (void)quiet;
    // A file of its own for each input, gone before the next one, so that
    // however the run ends nothing is left behind.
    char path[] = "/tmp/picture-load-fuzz-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        return 0;
    }
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        CPictureItem item;
        if (item.LoadPictureFile(path) != 0 && item.m_bitmap.image.size() != item.GetSize()) {
            // A loaded picture has a bitmap of the size it reports.
            std::remove(path);
            __builtin_trap();
        }
    }
    std::remove(path);
    return 0;
}
