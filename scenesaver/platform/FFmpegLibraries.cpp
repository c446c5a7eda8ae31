#include "platform/FFmpegLibraries.h"

#include <atomic>
#include <string>

#include <dlfcn.h>

namespace {
std::atomic<bool> loaded = false;

// The library of the major version the headers describe, as its package
// installs it.
void* OpenLibrary(const char* name, int major) {
    const std::string file = std::string("lib") + name + ".so." + std::to_string(major);
    return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The libraries stay loaded for the rest of the process: decoders may still
// run on other threads while it ends.
bool Load(FFmpegFunctions& f) {
    void* util = OpenLibrary("avutil", LIBAVUTIL_VERSION_MAJOR);
    void* codec = OpenLibrary("avcodec", LIBAVCODEC_VERSION_MAJOR);
    void* format = OpenLibrary("avformat", LIBAVFORMAT_VERSION_MAJOR);
    void* scale = OpenLibrary("swscale", LIBSWSCALE_VERSION_MAJOR);
    if (util == nullptr || codec == nullptr || format == nullptr || scale == nullptr) {
        return false;
    }
    return Find(format, "avformat_open_input", f.avformat_open_input) &&
           Find(format, "avformat_find_stream_info", f.avformat_find_stream_info) &&
           Find(format, "avformat_close_input", f.avformat_close_input) &&
           Find(format, "av_find_best_stream", f.av_find_best_stream) &&
           Find(format, "av_read_frame", f.av_read_frame) &&
           Find(format, "av_seek_frame", f.av_seek_frame) &&
           Find(codec, "avcodec_alloc_context3", f.avcodec_alloc_context3) &&
           Find(codec, "avcodec_free_context", f.avcodec_free_context) &&
           Find(codec, "avcodec_parameters_to_context", f.avcodec_parameters_to_context) &&
           Find(codec, "avcodec_open2", f.avcodec_open2) &&
           Find(codec, "avcodec_send_packet", f.avcodec_send_packet) &&
           Find(codec, "avcodec_receive_frame", f.avcodec_receive_frame) &&
           Find(codec, "avcodec_flush_buffers", f.avcodec_flush_buffers) &&
           Find(codec, "av_packet_alloc", f.av_packet_alloc) &&
           Find(codec, "av_packet_free", f.av_packet_free) &&
           Find(codec, "av_packet_unref", f.av_packet_unref) &&
           Find(util, "av_frame_alloc", f.av_frame_alloc) &&
           Find(util, "av_frame_free", f.av_frame_free) &&
           Find(util, "av_frame_unref", f.av_frame_unref) &&
           Find(util, "av_sample_fmt_is_planar", f.av_sample_fmt_is_planar) &&
           Find(util, "av_get_packed_sample_fmt", f.av_get_packed_sample_fmt) &&
           Find(scale, "sws_getCachedContext", f.sws_getCachedContext) &&
           Find(scale, "sws_scale", f.sws_scale) &&
           Find(scale, "sws_freeContext", f.sws_freeContext);
}
} // namespace

const FFmpegFunctions* FFmpeg() {
    static const FFmpegFunctions* const functions = [] {
        static FFmpegFunctions found{};
        const bool complete = Load(found);
        loaded = true;
        return complete ? &found : nullptr;
    }();
    return functions;
}

bool FFmpegLoaded() {
    return loaded;
}
