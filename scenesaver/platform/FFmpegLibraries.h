#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

// The FFmpeg functions the video player calls, looked up when the first video
// is opened instead of being linked: FFmpeg's libraries and the hundred more
// they pull in would cost every start a large share of its time and memory,
// and most scenes play no video.
struct FFmpegFunctions {
    decltype(&::avformat_open_input) avformat_open_input;
    decltype(&::avformat_find_stream_info) avformat_find_stream_info;
    decltype(&::avformat_close_input) avformat_close_input;
    decltype(&::av_find_best_stream) av_find_best_stream;
    decltype(&::av_read_frame) av_read_frame;
    decltype(&::av_seek_frame) av_seek_frame;
    decltype(&::avcodec_alloc_context3) avcodec_alloc_context3;
    decltype(&::avcodec_free_context) avcodec_free_context;
    decltype(&::avcodec_parameters_to_context) avcodec_parameters_to_context;
    decltype(&::avcodec_open2) avcodec_open2;
    decltype(&::avcodec_send_packet) avcodec_send_packet;
    decltype(&::avcodec_receive_frame) avcodec_receive_frame;
    decltype(&::avcodec_flush_buffers) avcodec_flush_buffers;
    decltype(&::av_packet_alloc) av_packet_alloc;
    decltype(&::av_packet_free) av_packet_free;
    decltype(&::av_packet_unref) av_packet_unref;
    decltype(&::av_frame_alloc) av_frame_alloc;
    decltype(&::av_frame_free) av_frame_free;
    decltype(&::av_frame_unref) av_frame_unref;
    decltype(&::av_sample_fmt_is_planar) av_sample_fmt_is_planar;
    decltype(&::av_get_packed_sample_fmt) av_get_packed_sample_fmt;
    decltype(&::sws_getCachedContext) sws_getCachedContext;
    decltype(&::sws_scale) sws_scale;
    decltype(&::sws_freeContext) sws_freeContext;
};

// The functions, from the library versions the program was built against;
// loaded on the first call, from any thread. Null when a library or a
// function is missing: then no video plays.
const FFmpegFunctions* FFmpeg();

// Whether FFmpeg is in the process yet (for tests of when it is loaded).
bool FFmpegLoaded();
