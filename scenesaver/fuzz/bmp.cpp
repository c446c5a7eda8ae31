// Feeds arbitrary bytes to the bitmap decoder at every output depth.
#include "imglib/ImgLib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t palette[1024];
    for (int depth : {24, 8, 1}) {
        ImgStream* stream = img_open_memory(data, size);
        int width = 0;
        int height = 0;
        ImgBuffer pixels = img_read_bmp(stream, &width, &height, depth, palette);
        if (pixels && depth == 24) {
            // Touch the last byte: the buffer must be as large as reported.
            volatile std::uint8_t last =
                pixels[static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 - 1];
            (void)last;
        }
        img_close_read(stream);
    }
    return 0;
}
