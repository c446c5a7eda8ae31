#pragma once

#include "imglib/ImgLib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A bitmap file put together field by field, so that each test can say
// exactly which field it bends.
struct BmpLayout {
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::int64_t colorsUsed = -1;       // -1: the number of palette entries given
    std::vector<std::uint32_t> palette; // 0x00RRGGBB per entry
    std::vector<std::uint32_t> masks;   // written after a 40-byte header
    std::int64_t pixelOffset = -1;      // -1: right after the palette
    Bytes pixels;                       // stored rows, exactly as in the file
};

inline void PutLe(Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline Bytes BuildBmp(const BmpLayout& layout) {
    Bytes info;
    PutLe(info, layout.headerSize, 4);
    PutLe(info, static_cast<std::uint32_t>(layout.width), 4);
    PutLe(info, static_cast<std::uint32_t>(layout.height), 4);
    PutLe(info, 1, 2);
    PutLe(info, layout.bitCount, 2);
    PutLe(info, layout.compression, 4);
    PutLe(info, layout.pixels.size(), 4);
    PutLe(info, 0, 8);
    const std::uint32_t used = layout.colorsUsed < 0
                                   ? static_cast<std::uint32_t>(layout.palette.size())
                                   : static_cast<std::uint32_t>(layout.colorsUsed);
    PutLe(info, used, 4);
    PutLe(info, 0, 4);
    // A longer header (V4/V5) carries the masks inside itself.
    for (std::size_t i = 0; i < layout.masks.size() && layout.headerSize > 40; ++i) {
        PutLe(info, layout.masks[i], 4);
    }
    while (info.size() < layout.headerSize) {
        info.push_back(0);
    }
    info.resize(std::max<std::size_t>(layout.headerSize, 40));
    Bytes tail;
    if (layout.headerSize == 40) {
        for (std::uint32_t mask : layout.masks) {
            PutLe(tail, mask, 4);
        }
    }
    for (std::uint32_t entry : layout.palette) {
        PutLe(tail, entry, 4); // blue, green, red, reserved
    }
    const std::uint64_t natural = 14 + info.size() + tail.size();
    const std::uint64_t offset =
        layout.pixelOffset < 0 ? natural : static_cast<std::uint64_t>(layout.pixelOffset);
    Bytes file = {'B', 'M'};
    PutLe(file, natural + layout.pixels.size(), 4);
    PutLe(file, 0, 4);
    PutLe(file, offset, 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), tail.begin(), tail.end());
    while (file.size() < offset) {
        file.push_back(0);
    }
    file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
    return file;
}

// The outcome of one decode: pixels as a vector, the size and the code.
struct Decoded {
    bool hasPixels = false;
    Bytes pixels;
    int width = 0;
    int height = 0;
    int code = -1;
};

inline Decoded DecodeBmpBytes(const Bytes& file, int depth = 24, std::uint8_t* palette = nullptr) {
    Decoded d;
    ImgStream* stream = img_open_memory(file.data(), file.size());
    ImgBuffer pixels = img_read_bmp(stream, &d.width, &d.height, depth, palette);
    d.code = img_last_error();
    img_close_read(stream);
    if (pixels) {
        d.hasPixels = true;
        const std::size_t size =
            static_cast<std::size_t>(d.width) * d.height * (depth / 8 ? depth / 8 : 1);
        d.pixels.assign(pixels.get(), pixels.get() + size);
    }
    return d;
}

inline Decoded DecodeJpegBytes(const Bytes& file, int depth = 24) {
    Decoded d;
    ImgStream* stream = img_open_memory(file.data(), file.size());
    ImgBuffer pixels = img_read_jpeg(stream, &d.width, &d.height, depth);
    d.code = img_last_error();
    img_close_read(stream);
    if (pixels) {
        d.hasPixels = true;
        d.pixels.assign(pixels.get(),
                        pixels.get() + static_cast<std::size_t>(d.width) * d.height * (depth / 8));
    }
    return d;
}

// What a check before decoding says of a file: whether the decoder would
// deliver a picture, the code it leaves and the size it reports.
struct Checked {
    bool ok = false;
    int code = -1;
    int width = 0;
    int height = 0;
};

inline Checked CheckBytes(const Bytes& file, bool jpeg) {
    Checked k;
    ImgStream* stream = img_open_memory(file.data(), file.size());
    k.ok = (jpeg ? img_check_jpeg(stream, &k.width, &k.height, 24)
                 : img_check_bmp(stream, &k.width, &k.height)) != 0;
    k.code = img_last_error();
    img_close_read(stream);
    return k;
}

// The check must refuse exactly what the decode refuses, with its code, and
// pass with the decode's size whenever a picture comes back.
inline void ExpectCheckAgrees(const Bytes& file, bool jpeg, const Decoded& decoded,
                              const std::string& name) {
    const Checked k = CheckBytes(file, jpeg);
    EXPECT_EQ(k.ok, decoded.hasPixels) << name;
    if (decoded.hasPixels) {
        EXPECT_EQ(k.code, IMG_ERR_NONE) << name;
        EXPECT_EQ(k.width, decoded.width) << name;
        EXPECT_EQ(k.height, decoded.height) << name;
    } else {
        EXPECT_EQ(k.code, decoded.code) << name;
    }
}

// A fresh folder under the test temporary directory, removed with the object.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "imgtest-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
