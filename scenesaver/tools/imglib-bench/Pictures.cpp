#include "Pictures.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {
void PutLe(Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

Bytes Headers(int width, int height, int bits, std::uint32_t compression, int colors,
              std::uint64_t pixelBytes) {
    Bytes file = {'B', 'M'};
    const std::uint64_t offset = 54 + 4 * static_cast<std::uint64_t>(colors);
    PutLe(file, offset + pixelBytes, 4);
    PutLe(file, 0, 4);
    PutLe(file, offset, 4);
    PutLe(file, 40, 4);
    PutLe(file, static_cast<std::uint32_t>(width), 4);
    PutLe(file, static_cast<std::uint32_t>(height), 4);
    PutLe(file, 1, 2);
    PutLe(file, static_cast<std::uint32_t>(bits), 2);
    PutLe(file, compression, 4);
    PutLe(file, pixelBytes, 4);
    PutLe(file, 0, 8);
    PutLe(file, static_cast<std::uint32_t>(colors), 4);
    PutLe(file, 0, 4);
    for (int i = 0; i < colors; ++i) {
        PutLe(file, static_cast<std::uint32_t>(i * 0x010203 & 0xFFFFFF), 4);
    }
    return file;
}
} // namespace

Bytes MakeRgb(int width, int height) {
    Bytes rgb(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t seed = 12345;
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245 + 12345;
            const int noise = static_cast<int>((seed >> 16) & 15) - 8;
            const int base[3] = {x * 255 / width, y * 255 / height,
                                 (x + y) * 127 / (width + height) + 64};
            for (int c = 0; c < 3; ++c) {
                const int v = base[c] + noise;
                rgb[i++] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
        }
    }
    return rgb;
}

Bytes MakeBmp24(const Bytes& rgb, int width, int height) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    Bytes file = Headers(width, height, 24, 0, 0, rowBytes * height);
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* row = rgb.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            file.insert(file.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
        }
        file.resize(file.size() + rowBytes - static_cast<std::size_t>(width) * 3, 0);
    }
    return file;
}

Bytes MakeBmp8(int width, int height, bool rle) {
    // Bands of equal indices a few dozen pixels long, with single pixels
    // between them: the run-length coder gets long runs and short ones.
    auto index = [](int x, int y) { return static_cast<std::uint8_t>((x / 37 + y / 5) * 7); };
    Bytes pixels;
    if (!rle) {
        const std::size_t rowBytes = (static_cast<std::size_t>(width) + 3) / 4 * 4;
        for (int y = height - 1; y >= 0; --y) {
            for (int x = 0; x < width; ++x) {
                pixels.push_back(index(x, y));
            }
            pixels.resize(pixels.size() + rowBytes - width, 0);
        }
    } else {
        for (int y = height - 1; y >= 0; --y) {
            int x = 0;
            while (x < width) {
                int run = 1;
                while (x + run < width && run < 255 && index(x + run, y) == index(x, y)) {
                    ++run;
                }
                pixels.push_back(static_cast<std::uint8_t>(run));
                pixels.push_back(index(x, y));
                x += run;
            }
            pixels.insert(pixels.end(), {0, 0});
        }
        pixels.insert(pixels.end(), {0, 1});
    }
    Bytes file = Headers(width, height, 8, rle ? 1 : 0, 256, pixels.size());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

Bytes MakeJpeg(const Bytes& rgb, int width, int height, bool progressive, bool cmyk) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = cmyk ? 4 : 3;
    c.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    if (progressive) {
        jpeg_simple_progression(&c);
    }
    jpeg_start_compress(&c, TRUE);
    Bytes row(static_cast<std::size_t>(width) * c.input_components);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rgb.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            if (cmyk) {
                // Adobe's inverted CMYK, as Photoshop writes it.
                row[x * 4 + 0] = in[x * 3];
                row[x * 4 + 1] = in[x * 3 + 1];
                row[x * 4 + 2] = in[x * 3 + 2];
                row[x * 4 + 3] = 230;
            } else {
                row[x * 3 + 0] = in[x * 3];
                row[x * 3 + 1] = in[x * 3 + 1];
                row[x * 3 + 2] = in[x * 3 + 2];
            }
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    Bytes file(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return file;
}
