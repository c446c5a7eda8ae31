#pragma once

// libjpeg's headers need these before them.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

struct ImgStream;

// libjpeg's standard error manager whose fatal errors jump back to the
// library instead of ending the process, and whose warnings go nowhere.
struct ImgErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Installs the error manager on a decompression or compression object.
jpeg_error_mgr* ImgJpegErrorManager(ImgErrorMgr* manager);

// Feeds a decompression object from a picture stream, 4096 bytes at a time.
// Data that ends early is completed with an end-of-image marker and a
// warning, as libjpeg's own file source does.
void ImgJpegAttachSource(j_decompress_ptr cinfo, ImgStream* stream);

// Sends a compression object's output to a picture stream; a failed write is
// a fatal libjpeg error.
void ImgJpegAttachDestination(j_compress_ptr cinfo, ImgStream* stream);

// The most memory one libjpeg object may take for its image buffers: enough
// for the largest picture the library accepts, and a clean error beyond.
inline constexpr long kImgJpegMemoryLimit = 1L << 30;
