// imglib-bench: how fast the picture library decodes full-screen pictures,
// next to stb_image, Qt's image reader and a bare libjpeg-turbo loop, all
// measured in the same run on the same bytes in memory.

#include "Pictures.h"

#include "imglib/ImgLib.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <optional>
#include <stb_image.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
using Decoder = std::function<bool(const Bytes&)>;

// The best of several runs of each decoder, in milliseconds; empty for a
// decoder that fails on the file. The decoders take turns, so that a busy
// machine slows them alike.
std::vector<std::optional<double>> Measure(const std::vector<Decoder>& decoders,
                                           const Bytes& file) {
    std::vector<std::optional<double>> best(decoders.size());
    for (std::size_t i = 0; i < decoders.size(); ++i) {
        if (decoders[i](file)) {
            best[i] = 1e300;
        }
    }
    const auto start = Clock::now();
    for (int round = 0; round < 5 || (round < 60 && Clock::now() - start < std::chrono::seconds(4));
         ++round) {
        for (std::size_t i = 0; i < decoders.size(); ++i) {
            if (!best[i]) {
                continue;
            }
            const auto t0 = Clock::now();
            decoders[i](file);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            best[i] = std::min(*best[i], ms);
        }
    }
    return best;
}

bool Ours(const Bytes& file) {
    ImgStream* stream = img_open_memory(file.data(), file.size());
    int w = 0;
    int h = 0;
    ImgBuffer pixels = file[0] == 'B' ? img_read_bmp(stream, &w, &h, 24, nullptr)
                                      : img_read_jpeg(stream, &w, &h, 24);
    img_close_read(stream);
    return pixels && img_last_error() == IMG_ERR_NONE;
}

bool Stb(const Bytes& file) {
    int w = 0;
    int h = 0;
    int n = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &n, 3);
    stbi_image_free(pixels);
    return pixels != nullptr;
}

bool QtReader(const Bytes& file) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                              static_cast<qsizetype>(file.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return !reader.read().isNull();
}

// libjpeg-turbo with its defaults, one row per call, into one output buffer:
// what any program must do at the least.
bool BareLibjpeg(const Bytes& file) {
    if (file[0] != 0xFF) {
        return false;
    }
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    const std::size_t rowBytes = static_cast<std::size_t>(d.output_width) * d.output_components;
    auto* out = static_cast<JSAMPLE*>(std::calloc(rowBytes, d.output_height));
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = out + d.output_scanline * rowBytes;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::free(out);
    return true;
}

std::string Cell(const std::optional<double>& ours, const std::optional<double>& peer) {
    if (!peer) {
        return "       n/a       ";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%8.2f (%5.2fx)", *peer, ours ? *ours / *peer : 0.0);
    return text;
}
} // namespace

int main() {
    std::printf(
        "Decode time in ms (best of several runs); (x) = ours / peer, below 1 is faster.\n\n");
    std::printf("%-28s %8s  %-17s  %-17s  %-17s\n", "picture", "ours", "stb_image", "Qt reader",
                "bare libjpeg");
    const struct {
        int width;
        int height;
    } sizes[] = {{1920, 1080}, {3840, 2160}};
    for (const auto& size : sizes) {
        const Bytes rgb = MakeRgb(size.width, size.height);
        const struct {
            const char* name;
            Bytes file;
        } pictures[] = {
            {"BMP 24-bit", MakeBmp24(rgb, size.width, size.height)},
            {"BMP 8-bit", MakeBmp8(size.width, size.height, false)},
            {"BMP RLE8", MakeBmp8(size.width, size.height, true)},
            {"JPEG baseline", MakeJpeg(rgb, size.width, size.height, false, false)},
            {"JPEG progressive", MakeJpeg(rgb, size.width, size.height, true, false)},
            {"JPEG CMYK", MakeJpeg(rgb, size.width, size.height, false, true)},
        };
        for (const auto& picture : pictures) {
            const auto times = Measure({Ours, Stb, QtReader, BareLibjpeg}, picture.file);
            char name[64];
            std::snprintf(name, sizeof name, "%s %dx%d", picture.name, size.width, size.height);
            std::printf("%-28s %8.2f  %s  %s  %s\n", name, times[0].value_or(0.0),
                        Cell(times[0], times[1]).c_str(), Cell(times[0], times[2]).c_str(),
                        Cell(times[0], times[3]).c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
