#pragma once

#include "ImgTestSupport.h"

#include <cstdio>
#include <jpeglib.h>

// Encodes samples (components bytes per pixel, top row first) with libjpeg
// into a file in memory.
struct JpegEncodeOptions {
    int components = 3;
    J_COLOR_SPACE inSpace = JCS_RGB;
    J_COLOR_SPACE fileSpace = JCS_UNKNOWN; // JCS_UNKNOWN: libjpeg's default for inSpace
    bool progressive = false;
    bool adobeMarker = true;
    int quality = 95;
};

inline Bytes EncodeJpeg(int width, int height, const Bytes& samples,
                        const JpegEncodeOptions& o = {}) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = o.components;
    c.in_color_space = o.inSpace;
    jpeg_set_defaults(&c);
    if (o.fileSpace != JCS_UNKNOWN) {
        jpeg_set_colorspace(&c, o.fileSpace);
    }
    jpeg_set_quality(&c, o.quality, TRUE);
    if (o.progressive) {
        jpeg_simple_progression(&c);
    }
    jpeg_start_compress(&c, TRUE);
    c.write_Adobe_marker = o.adobeMarker ? TRUE : FALSE;
    const std::size_t row = static_cast<std::size_t>(width) * o.components;
    for (int y = 0; y < height; ++y) {
        JSAMPROW p = const_cast<JSAMPLE*>(samples.data() + y * row);
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    Bytes file(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return file;
}

// A smooth test picture: components bytes per pixel.
inline Bytes Gradient(int width, int height, int components) {
    Bytes s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int k = 0; k < components; ++k) {
                s.push_back(static_cast<std::uint8_t>(
                    (x * 255 / std::max(1, width - 1) + y * 3 + k * 60) & 255));
            }
        }
    }
    return s;
}

// What libjpeg itself makes of the file, in its own output colour space.
inline Bytes LibjpegSamples(const Bytes& file, int& components) {
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), file.size());
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    components = d.output_components;
    Bytes samples(static_cast<std::size_t>(d.output_width) * d.output_height * components);
    while (d.output_scanline < d.output_height) {
        JSAMPROW p = samples.data() +
                     static_cast<std::size_t>(d.output_scanline) * d.output_width * components;
        jpeg_read_scanlines(&d, &p, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return samples;
}
