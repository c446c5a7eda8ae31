#include "imglib/JpegGlue.h"

#include "imglib/Stream.h"

#include <jerror.h>

namespace {
constexpr std::size_t kBufferBytes = 4096;

void FatalError(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    // The library keeps no log; the message is formatted only so that a
    // debugger can see it here.
    auto* manager = reinterpret_cast<ImgErrorMgr*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void OutputMessage(j_common_ptr) {}

struct SourceMgr {
    jpeg_source_mgr pub;
    ImgStream* stream;
    JOCTET* buffer;
    boolean startOfFile;
};

void InitSource(j_decompress_ptr cinfo) {
    reinterpret_cast<SourceMgr*>(cinfo->src)->startOfFile = TRUE;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<SourceMgr*>(cinfo->src);
    std::size_t count = ImgStreamRead(src->stream, src->buffer, kBufferBytes);
    if (count == 0) {
        if (src->startOfFile) {
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        }
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        count = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = count;
    src->startOfFile = FALSE;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) {
        return;
    }
    jpeg_source_mgr* src = cinfo->src;
    auto left = static_cast<std::size_t>(count);
    while (left > src->bytes_in_buffer) {
        left -= src->bytes_in_buffer;
        (*src->fill_input_buffer)(cinfo);
    }
    src->next_input_byte += left;
    src->bytes_in_buffer -= left;
}

void TermSource(j_decompress_ptr) {}

struct DestinationMgr {
    jpeg_destination_mgr pub;
    ImgStream* stream;
    JOCTET* buffer;
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    dest->buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kBufferBytes));
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBufferBytes;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    if (!ImgStreamWrite(dest->stream, dest->buffer, kBufferBytes)) {
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBufferBytes;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    const std::size_t used = kBufferBytes - dest->pub.free_in_buffer;
    if (used > 0 && !ImgStreamWrite(dest->stream, dest->buffer, used)) {
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}
} // namespace

jpeg_error_mgr* ImgJpegErrorManager(ImgErrorMgr* manager) {
    jpeg_error_mgr* err = jpeg_std_error(&manager->pub);
    err->error_exit = FatalError;
    err->output_message = OutputMessage;
    return err;
}

void ImgJpegAttachSource(j_decompress_ptr cinfo, ImgStream* stream) {
    if (cinfo->src == nullptr) {
        auto* src = static_cast<SourceMgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(SourceMgr)));
        src->buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBufferBytes));
        cinfo->src = &src->pub;
    }
    auto* src = reinterpret_cast<SourceMgr*>(cinfo->src);
    src->pub.init_source = InitSource;
    src->pub.fill_input_buffer = FillInputBuffer;
    src->pub.skip_input_data = SkipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = TermSource;
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = nullptr;
    src->stream = stream;
}

void ImgJpegAttachDestination(j_compress_ptr cinfo, ImgStream* stream) {
    if (cinfo->dest == nullptr) {
        cinfo->dest = static_cast<jpeg_destination_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(DestinationMgr)));
    }
    auto* dest = reinterpret_cast<DestinationMgr*>(cinfo->dest);
    dest->pub.init_destination = InitDestination;
    dest->pub.empty_output_buffer = EmptyOutputBuffer;
    dest->pub.term_destination = TermDestination;
    dest->stream = stream;
}
