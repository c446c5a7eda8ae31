// Feeds arbitrary bytes to the JPEG glue at both output depths.
#include "imglib/ImgLib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (int depth : {24, 8}) {
        ImgStream* stream = img_open_memory(data, size);
        int width = 0;
        int height = 0;
        ImgBuffer pixels = img_read_jpeg(stream, &width, &height, depth);
        if (pixels) {
            const std::size_t bytes =
                static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * (depth / 8);
            volatile std::uint8_t last = pixels[bytes - 1];
            (void)last;
        }
        img_close_read(stream);
    }
    return 0;
}
