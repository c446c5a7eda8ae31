#include "imglib/JpegRead.h"

#include "imglib/JpegGlue.h"
#include "imglib/Stream.h"
#include "imglib/ThreadState.h"

#include <cstdlib>

namespace {
// One decode's state. It lives in plain heap memory and holds no objects with
// destructors, so that libjpeg's fatal errors may jump past any frame that
// touches it.
struct JpegDecode {
    jpeg_decompress_struct cinfo;
    ImgErrorMgr err;
    JSAMPLE* rowBuffer;
    JSAMPROW row; // where the next scanline goes
    ImgStream* stream;
    int depth;
    int code;
    bool created;
};

// Reads the header and starts decompression. False with code set on failure;
// the object is then destroyed.
bool StartDecode(JpegDecode* work) {
    work->cinfo.err = ImgJpegErrorManager(&work->err);
    if (setjmp(work->err.jump) != 0) {
        if (work->code == IMG_ERR_NONE) {
            work->code = IMG_ERR_JPEGHDR;
        }
        if (work->created) {
            jpeg_destroy_decompress(&work->cinfo);
            work->created = false;
        }
        return false;
    }
    jpeg_CreateDecompress(&work->cinfo, JPEG_LIB_VERSION, sizeof(work->cinfo));
    work->created = true;
    work->cinfo.mem->max_memory_to_use = kImgJpegMemoryLimit;
    ImgJpegAttachSource(&work->cinfo, work->stream);
    jpeg_read_header(&work->cinfo, TRUE);
    const ImgThreadState& state = ImgState();
    work->cinfo.scale_num = static_cast<unsigned>(state.jpegScaleNum);
    work->cinfo.scale_denom = static_cast<unsigned>(state.jpegScaleDenom);
    jpeg_calc_output_dimensions(&work->cinfo);
    const auto pixels = static_cast<std::uint64_t>(work->cinfo.output_width) *
                        static_cast<std::uint64_t>(work->cinfo.output_height);
    if (pixels == 0 || pixels > kImgMaxPixels) {
        work->code = IMG_ERR_NOMEM;
        jpeg_destroy_decompress(&work->cinfo);
        work->created = false;
        return false;
    }
    jpeg_start_decompress(&work->cinfo);
    return true;
}

// t / 255 rounded down, exact for every product of two bytes, without a
// division.
inline JSAMPLE DivideBy255(unsigned t) {
    return static_cast<JSAMPLE>((t + (t >> 8) + 1) >> 8);
}

void ConvertRow(JpegDecode* work, JSAMPLE* out) {
    const jpeg_decompress_struct& c = work->cinfo;
    const JSAMPLE* in = work->rowBuffer;
    const JDIMENSION width = c.output_width;
    if (work->depth == 8) { // three components to grey
        for (JDIMENSION x = 0; x < width; ++x, in += 3) {
            out[x] = static_cast<JSAMPLE>(in[0] * 0.299 + in[2] * 0.114 + in[1] * 0.587);
        }
    } else if (c.output_components == 1) {
        for (JDIMENSION x = 0; x < width; ++x, out += 3) {
            out[0] = out[1] = out[2] = in[x];
        }
    } else { // CMYK as libjpeg delivers it: channel x K / 255, truncated
        for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
            const unsigned k = in[3];
            out[0] = DivideBy255(in[0] * k);
            out[1] = DivideBy255(in[1] * k);
            out[2] = DivideBy255(in[2] * k);
        }
    }
}

// Reads one scanline into work->row; false after a fatal libjpeg error. The
// jump point lives in this small frame, which keeps nothing in locals.
bool ReadScanline(JpegDecode* work) {
    if (setjmp(work->err.jump) != 0) {
        return false;
    }
    jpeg_read_scanlines(&work->cinfo, &work->row, 1);
    return true;
}

// Decodes the next row into out. False with code set on failure.
bool ReadRow(JpegDecode* work, JSAMPLE* out) {
    jpeg_decompress_struct& c = work->cinfo;
    if (c.output_scanline >= c.output_height) {
        work->code = IMG_ERR_ROWS;
        return false;
    }
    const int components = c.output_components;
    const bool cmyk = c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
    const bool direct =
        (work->depth == 24 && components == 3) || (work->depth == 8 && components == 1);
    const bool converted = (work->depth == 24 && (components == 1 || (components == 4 && cmyk))) ||
                           (work->depth == 8 && components == 3);
    if (!direct && !converted) {
        work->code = IMG_ERR_DEPTH;
        return false;
    }
    work->row = direct ? out : work->rowBuffer;
    if (!ReadScanline(work)) {
        work->code = IMG_ERR_READ;
        return false;
    }
    if (converted) {
        ConvertRow(work, out);
    }
    return true;
}

// Ends the decode and destroys the object; a failure here only counts when
// nothing failed before.
void FinishDecode(JpegDecode* work) {
    if (setjmp(work->err.jump) != 0) {
        if (work->code == IMG_ERR_NONE) {
            work->code = IMG_ERR_READ;
        }
        jpeg_destroy_decompress(&work->cinfo);
        work->created = false;
        return;
    }
    // Finishing early would only raise libjpeg's complaint about missing
    // rows over the code already recorded.
    if (work->code == IMG_ERR_NONE) {
        jpeg_finish_decompress(&work->cinfo);
    }
    jpeg_destroy_decompress(&work->cinfo);
    work->created = false;
}

// The whole decode, or with rows false only what comes before the first row:
// the header, the size and the start of decompression, so that a check fails
// exactly where the decode would fail before it had a picture to hand back.
// The result of a check is an empty buffer; ok tells whether it passed.
ImgBuffer ReadJpeg(ImgStream* stream, int* width, int* height, int depth, bool rows, bool& ok) {
    ok = false;
    if (!ImgCheckStream(stream)) {
        return nullptr;
    }
    if (width == nullptr || height == nullptr || (depth != 24 && depth != 8)) {
        ImgSetError(IMG_ERR_ARG);
        return nullptr;
    }
    auto* work = static_cast<JpegDecode*>(std::calloc(1, sizeof(JpegDecode)));
    if (work == nullptr) {
        ImgSetError(IMG_ERR_NOMEM);
        return nullptr;
    }
    work->depth = depth;
    work->stream = stream;
    ImgBuffer output;
    if (StartDecode(work)) {
        const jpeg_decompress_struct& c = work->cinfo;
        const int components = c.output_components;
        // Two-component pictures have no colour interpretation to deliver.
        if (components == 2) {
            work->code = IMG_ERR_DEPTH;
        } else {
            work->rowBuffer = static_cast<JSAMPLE*>(std::malloc(
                static_cast<std::size_t>(c.output_width) * static_cast<std::size_t>(components)));
            if (work->rowBuffer == nullptr) {
                work->code = IMG_ERR_NOMEM;
            }
        }
        if (work->code == IMG_ERR_NONE && !rows) {
            *width = static_cast<int>(c.output_width);
            *height = static_cast<int>(c.output_height);
            ok = ImgBufferFits(c.output_width, c.output_height, depth / 8);
            work->code = ok ? IMG_ERR_NONE : IMG_ERR_NOMEM;
            jpeg_destroy_decompress(&work->cinfo);
            work->created = false;
        } else if (work->code == IMG_ERR_NONE) {
            *width = static_cast<int>(c.output_width);
            *height = static_cast<int>(c.output_height);
            const int bytesPerPixel = depth / 8;
            output = ImgAllocBuffer(c.output_width, c.output_height, bytesPerPixel);
            if (!output) {
                work->code = IMG_ERR_NOMEM;
            } else {
                const std::size_t rowBytes =
                    static_cast<std::size_t>(c.output_width) * bytesPerPixel;
                for (JDIMENSION y = 0; y < c.output_height; ++y) {
                    if (!ReadRow(work, output.get() + y * rowBytes)) {
                        break;
                    }
                }
            }
        }
        if (work->created) {
            FinishDecode(work);
        }
        if (work->code == IMG_ERR_DEPTH && components == 2) {
            output.reset();
        }
    }
    std::free(work->rowBuffer);
    const int code = work->code;
    std::free(work);
    ImgSetError(code);
    ok = ok || output != nullptr;
    return output;
}
} // namespace

ImgBuffer img_read_jpeg(ImgStream* stream, int* width, int* height, int depth) {
    bool ok = false;
    return ReadJpeg(stream, width, height, depth, true, ok);
}

int img_check_jpeg(ImgStream* stream, int* width, int* height, int depth) {
    bool ok = false;
    ReadJpeg(stream, width, height, depth, false, ok);
    return ok ? 1 : 0;
}
