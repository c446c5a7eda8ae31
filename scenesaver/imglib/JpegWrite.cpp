#include "imglib/JpegWrite.h"

#include "imglib/ImgTypes.h"
#include "imglib/JpegGlue.h"
#include "imglib/Stream.h"
#include "imglib/ThreadState.h"

#include <cstdlib>

namespace {
// One encode's state, in plain heap memory without destructors, so that
// libjpeg's fatal errors may jump past any frame that touches it.
struct EncodeRequest {
    ImgStream* stream;
    const std::uint8_t* pixels;
    int width;
    int height;
    int quality;
    int progressive;
    int depth;
    const ImgJpegDensity* density;
};

struct JpegEncode {
    jpeg_compress_struct cinfo;
    ImgErrorMgr err;
    EncodeRequest request;
};

int Encode(JpegEncode* work) {
    work->cinfo.err = ImgJpegErrorManager(&work->err);
    if (setjmp(work->err.jump) != 0) {
        jpeg_destroy_compress(&work->cinfo);
        return IMG_ERR_WRITE;
    }
    jpeg_CreateCompress(&work->cinfo, JPEG_LIB_VERSION, sizeof(work->cinfo));
    jpeg_compress_struct& c = work->cinfo;
    const EncodeRequest* request = &work->request;
    ImgJpegAttachDestination(&c, request->stream);
    c.image_width = static_cast<JDIMENSION>(request->width);
    c.image_height = static_cast<JDIMENSION>(request->height);
    c.input_components = request->depth == 8 ? 1 : 3;
    c.in_color_space = request->depth == 8 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, request->quality, TRUE);
    if (request->progressive != 0) {
        jpeg_simple_progression(&c);
    }
    if (request->density != nullptr) {
        c.density_unit = static_cast<UINT8>(request->density->unit);
        c.X_density = static_cast<UINT16>(request->density->horizontal);
        c.Y_density = static_cast<UINT16>(request->density->vertical);
    } else {
        c.density_unit = 0;
        c.X_density = 1;
        c.Y_density = 1;
    }
    jpeg_start_compress(&c, TRUE);
    const std::size_t rowBytes =
        static_cast<std::size_t>(request->width) * static_cast<std::size_t>(c.input_components);
    for (int y = 0; y < request->height; ++y) {
        // libjpeg takes rows as non-const pointers but only reads them.
        JSAMPROW row =
            const_cast<JSAMPLE*>(request->pixels + static_cast<std::size_t>(y) * rowBytes);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return IMG_ERR_NONE;
}
} // namespace

std::int64_t img_write_jpeg(ImgStream* stream, const std::uint8_t* pixels, int width, int height,
                            int quality, int progressive, int depth,
                            const ImgJpegDensity* density) {
    if (!ImgCheckStream(stream)) {
        return 0;
    }
    if (depth != 8 && depth != 24) {
        return 0;
    }
    if (pixels == nullptr || width <= 0 || height <= 0 || quality < 0 || quality > 100) {
        ImgSetError(IMG_ERR_ARG);
        return 0;
    }
    auto* work = static_cast<JpegEncode*>(std::calloc(1, sizeof(JpegEncode)));
    if (work == nullptr) {
        ImgSetError(IMG_ERR_NOMEM);
        return 0;
    }
    const EncodeRequest request{stream,  pixels,      width, height,
                                quality, progressive, depth, density};
    work->request = request;
    int code = Encode(work);
    std::free(work);
    // Output is buffered: a full disk shows only when it is pushed out.
    if (code == IMG_ERR_NONE && !ImgStreamFlush(stream)) {
        code = IMG_ERR_WRITE;
    }
    ImgSetError(code);
    if (code != IMG_ERR_NONE) {
        return 0;
    }
    const std::int64_t length = ImgStreamLength(stream);
    return length < 0 ? 0 : length;
}
