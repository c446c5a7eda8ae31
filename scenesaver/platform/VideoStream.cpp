#include "platform/VideoStream.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <chrono>
#include <cmath>
#include <system_error>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kMaxSide = 8192; // a frame larger than this is no video of ours
} // namespace

// FFmpeg's state for one open file; used by one thread at a time.
struct CVideoStream::Decoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int streamIndex = -1;
    double timeBase = 0;
    double frameInterval = 0.04;
    QSize size;

    ~Decoder() {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }

    bool Open(const std::string& path) {
        if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0 ||
            avformat_find_stream_info(format, nullptr) < 0) {
            return false;
        }
        const AVCodec* decoder = nullptr;
        streamIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (streamIndex < 0 || decoder == nullptr) {
            return false;
        }
        AVStream* stream = format->streams[streamIndex];
        codec = avcodec_alloc_context3(decoder);
        if (codec == nullptr || avcodec_parameters_to_context(codec, stream->codecpar) < 0) {
            return false;
        }
        codec->thread_count = 1; // one core for the video; the scene has the other
        if (avcodec_open2(codec, decoder, nullptr) < 0 || codec->width <= 0 || codec->height <= 0 ||
            codec->width > kMaxSide || codec->height > kMaxSide) {
            return false;
        }
        size = QSize(codec->width, codec->height);
        timeBase = av_q2d(stream->time_base);
        if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) {
            frameInterval = av_q2d(av_inv_q(stream->avg_frame_rate));
        }
        packet = av_packet_alloc();
        frame = av_frame_alloc();
        return packet != nullptr && frame != nullptr;
    }

    bool Rewind() {
        avcodec_flush_buffers(codec);
        return av_seek_frame(format, streamIndex, 0, AVSEEK_FLAG_BACKWARD) >= 0;
    }

    // The next decoded frame into `frame`; false at the end of the file.
    bool NextFrame(const Event& stop) {
        for (;;) {
            const int received = avcodec_receive_frame(codec, frame);
            if (received == 0) {
                return true;
            }
            if (received == AVERROR_EOF || stop.isSet()) {
                return false;
            }
            if (received != AVERROR(EAGAIN)) {
                return false;
            }
            const int read = av_read_frame(format, packet);
            if (read < 0) {
                avcodec_send_packet(codec, nullptr); // drain what the codec holds
                continue;
            }
            if (packet->stream_index == streamIndex) {
                avcodec_send_packet(codec, packet); // a damaged packet is skipped
            }
            av_packet_unref(packet);
        }
    }

    double Seconds() const {
        const std::int64_t stamp =
            frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : 0;
        return static_cast<double>(stamp) * timeBase;
    }

    bool Convert(QImage& image) {
        if (frame->width != size.width() || frame->height != size.height()) {
            return false; // a mid-stream size change is not followed
        }
        scaler = sws_getCachedContext(
            scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
            size.width(), size.height(), AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr);
        if (scaler == nullptr) {
            return false;
        }
        image = QImage(size, QImage::Format_RGB32);
        std::uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
        int strides[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
        sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
        return true;
    }
};

CVideoStream::CVideoStream() = default;

CVideoStream::~CVideoStream() {
    Close();
}

bool CVideoStream::Open(const std::string& path) {
    Close();
    auto opened = std::make_unique<Decoder>();
    if (!opened->Open(path)) {
        return false;
    }
    decoder = std::move(opened);
    return true;
}

void CVideoStream::Close() {
    Stop();
    decoder.reset();
}

bool CVideoStream::IsOpen() const {
    return decoder != nullptr;
}

QSize CVideoStream::NativeSize() const {
    return decoder ? decoder->size : QSize();
}

bool CVideoStream::Start(bool repeat, bool mute, FrameSink frameSink, bool paced) {
    Stop();
    if (!decoder || !decoder->Rewind()) {
        return false;
    }
    sink = std::move(frameSink);
    stop.reset();
    ended->reset();
    framesShown = 0;
    framesDropped = 0;
    try {
        thread = std::thread([this, repeat, mute, paced] { Run(repeat, mute, paced); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CVideoStream::Stop() {
    if (thread.joinable()) {
        stop.set();
        thread.join();
    }
}

void CVideoStream::Run(bool repeat, bool /*mute*/, bool paced) {
    Decoder& video = *decoder;
    const Clock::time_point start = Clock::now();
    double firstSeconds = NAN;
    double passOffset = 0; // the length of the passes played before this one
    double lastSeconds = 0;
    QImage image;
    while (!stop.isSet()) {
        if (!video.NextFrame(stop)) {
            if (stop.isSet() || !repeat || std::isnan(firstSeconds) || !video.Rewind()) {
                break;
            }
            passOffset += lastSeconds + video.frameInterval - firstSeconds;
            firstSeconds = NAN;
            continue;
        }
        const double seconds = video.Seconds();
        if (std::isnan(firstSeconds)) {
            firstSeconds = seconds;
        }
        lastSeconds = seconds;
        const auto due =
            start + std::chrono::duration_cast<Clock::duration>(
                        std::chrono::duration<double>(passOffset + seconds - firstSeconds));
        const auto interval = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(video.frameInterval));
        if (paced && Clock::now() > due + interval) {
            ++framesDropped; // the next frame is due already
            av_frame_unref(video.frame);
            continue;
        }
        const bool converted = video.Convert(image);
        av_frame_unref(video.frame);
        if (!converted) {
            continue;
        }
        if (paced && stop.waitUntil(due)) {
            break;
        }
        sink(image);
        ++framesShown;
    }
    ended->set();
}
