#include "platform/VideoStream.h"

#include "platform/QueuedSound.h"

#include "platform/FFmpegLibraries.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <system_error>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kMaxSide = 8192; // a frame larger than this is no video of ours

// One decoded sample as 16 bits, whatever FFmpeg decoded it to; 0 for
// layouts the video's sound does not use.
std::int16_t Sample(const FFmpegFunctions& av, const AVFrame& frame, int channel, int index) {
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const bool planar = av.av_sample_fmt_is_planar(format) != 0;
    const int channels = frame.ch_layout.nb_channels;
    const std::uint8_t* plane = frame.extended_data[planar ? channel : 0];
    const int at = planar ? index : index * channels + channel;
    switch (av.av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return static_cast<std::int16_t>((plane[at] - 128) << 8);
    case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const std::int16_t*>(plane)[at];
    case AV_SAMPLE_FMT_S32:
        return static_cast<std::int16_t>(reinterpret_cast<const std::int32_t*>(plane)[at] >> 16);
    case AV_SAMPLE_FMT_FLT:
        return static_cast<std::int16_t>(
            std::clamp(reinterpret_cast<const float*>(plane)[at], -1.0F, 1.0F) * 32767.0F);
    case AV_SAMPLE_FMT_DBL:
        return static_cast<std::int16_t>(
            std::clamp(reinterpret_cast<const double*>(plane)[at], -1.0, 1.0) * 32767.0);
    default:
        return 0;
    }
}
} // namespace

// FFmpeg's state for one open file; used by one thread at a time.
struct CVideoStream::Decoder {
    explicit Decoder(const FFmpegFunctions& av) : av(av) {}
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    const FFmpegFunctions& av;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int streamIndex = -1;
    // The video's sound, when it has one FFmpeg decodes.
    AVCodecContext* audio = nullptr;
    AVFrame* audioFrame = nullptr;
    int audioIndex = -1;
    CQueuedSound* sound = nullptr; // while a play with sound runs
    std::vector<std::int16_t> samples;
    double timeBase = 0;
    double frameInterval = 0.04;
    QSize size;

    ~Decoder() {
        av.sws_freeContext(scaler);
        av.av_frame_free(&audioFrame);
        av.avcodec_free_context(&audio);
        av.av_frame_free(&frame);
        av.av_packet_free(&packet);
        av.avcodec_free_context(&codec);
        av.avformat_close_input(&format);
    }

    bool Open(const std::string& path) {
        if (av.avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0 ||
            av.avformat_find_stream_info(format, nullptr) < 0) {
            return false;
        }
        const AVCodec* decoder = nullptr;
        streamIndex = av.av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (streamIndex < 0 || decoder == nullptr) {
            return false;
        }
        AVStream* stream = format->streams[streamIndex];
        codec = av.avcodec_alloc_context3(decoder);
        if (codec == nullptr || av.avcodec_parameters_to_context(codec, stream->codecpar) < 0) {
            return false;
        }
        codec->thread_count = 1; // one core for the video; the scene has the other
        if (av.avcodec_open2(codec, decoder, nullptr) < 0 || codec->width <= 0 ||
            codec->height <= 0 || codec->width > kMaxSide || codec->height > kMaxSide) {
            return false;
        }
        size = QSize(codec->width, codec->height);
        timeBase = av_q2d(stream->time_base);
        if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) {
            frameInterval = av_q2d(av_inv_q(stream->avg_frame_rate));
        }
        packet = av.av_packet_alloc();
        frame = av.av_frame_alloc();
        OpenSound();
        return packet != nullptr && frame != nullptr;
    }

    // A sound that cannot be decoded leaves the video silent.
    void OpenSound() {
        const AVCodec* decoder = nullptr;
        audioIndex =
            av.av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, streamIndex, &decoder, 0);
        if (audioIndex < 0 || decoder == nullptr) {
            audioIndex = -1;
            return;
        }
        audio = av.avcodec_alloc_context3(decoder);
        audioFrame = av.av_frame_alloc();
        if (audio == nullptr || audioFrame == nullptr ||
            av.avcodec_parameters_to_context(audio, format->streams[audioIndex]->codecpar) < 0 ||
            av.avcodec_open2(audio, decoder, nullptr) < 0 || audio->sample_rate <= 0 ||
            audio->ch_layout.nb_channels < 1) {
            av.avcodec_free_context(&audio);
            audioIndex = -1;
        }
    }

    int SoundChannels() const { return std::min(audio->ch_layout.nb_channels, 2); }

    void QueueSound() {
        if (av.avcodec_send_packet(audio, packet) < 0) {
            return;
        }
        while (av.avcodec_receive_frame(audio, audioFrame) == 0) {
            const int channels = SoundChannels();
            if (audioFrame->ch_layout.nb_channels >= channels && audioFrame->nb_samples > 0) {
                samples.resize(static_cast<std::size_t>(audioFrame->nb_samples * channels));
                std::size_t at = 0;
                for (int i = 0; i < audioFrame->nb_samples; ++i) {
                    for (int c = 0; c < channels; ++c) {
                        samples[at++] = Sample(av, *audioFrame, c, i);
                    }
                }
                sound->Queue(samples.data(), samples.size());
            }
            av.av_frame_unref(audioFrame);
        }
    }

    bool Rewind() {
        av.avcodec_flush_buffers(codec);
        if (audio != nullptr) {
            av.avcodec_flush_buffers(audio);
        }
        return av.av_seek_frame(format, streamIndex, 0, AVSEEK_FLAG_BACKWARD) >= 0;
    }

    // The next decoded frame into `frame`; false at the end of the file.
    bool NextFrame(const Event& stop) {
        for (;;) {
            const int received = av.avcodec_receive_frame(codec, frame);
            if (received == 0) {
                return true;
            }
            if (received == AVERROR_EOF || stop.isSet()) {
                return false;
            }
            if (received != AVERROR(EAGAIN)) {
                return false;
            }
            const int read = av.av_read_frame(format, packet);
            if (read < 0) {
                av.avcodec_send_packet(codec, nullptr); // drain what the codec holds
                continue;
            }
            if (packet->stream_index == streamIndex) {
                av.avcodec_send_packet(codec, packet); // a damaged packet is skipped
            } else if (packet->stream_index == audioIndex && sound != nullptr) {
                QueueSound();
            }
            av.av_packet_unref(packet);
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
        scaler = av.sws_getCachedContext(
            scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
            size.width(), size.height(), AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr);
        if (scaler == nullptr) {
            return false;
        }
        image = QImage(size, QImage::Format_RGB32);
        std::uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
        int strides[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
        av.sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
        return true;
    }
};

CVideoStream::CVideoStream() = default;

CVideoStream::~CVideoStream() {
    Close();
}

bool CVideoStream::Open(const std::string& path) {
    Close();
    const FFmpegFunctions* av = FFmpeg();
    if (av == nullptr) {
        return false;
    }
    auto opened = std::make_unique<Decoder>(*av);
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

void CVideoStream::Run(bool repeat, bool mute, bool paced) {
    Decoder& video = *decoder;
    const FFmpegFunctions& av = video.av;
    CQueuedSound sound;
    if (!mute && paced && video.audio != nullptr &&
        sound.Open(video.audio->sample_rate, video.SoundChannels())) {
        video.sound = &sound;
    }
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
            av.av_frame_unref(video.frame);
            continue;
        }
        const bool converted = video.Convert(image);
        av.av_frame_unref(video.frame);
        if (!converted) {
            continue;
        }
        if (paced && stop.waitUntil(due)) {
            break;
        }
        sink(image);
        ++framesShown;
    }
    video.sound = nullptr;
    sound.Close();
    ended->set();
}
