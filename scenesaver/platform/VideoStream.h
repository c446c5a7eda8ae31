#pragma once

#include "platform/Event.h"

#include <QImage>
#include <QSize>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// A video file decoded by FFmpeg on a thread of its own. Frames go to the
// sink (on the decoding thread) at their time stamps; a frame that is due
// while the one before it is still being made is dropped, not shown late.
// The video's sound plays through SDL unless muted.
class CVideoStream {
public:
    using FrameSink = std::function<void(const QImage& frame)>;

    CVideoStream();
    ~CVideoStream();
    CVideoStream(const CVideoStream&) = delete;
    CVideoStream& operator=(const CVideoStream&) = delete;

    // False when the file holds no video stream FFmpeg can decode.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const;
    QSize NativeSize() const;

    // Plays from the start: once (then ended is set) or, with repeat, until
    // stopped. Without pacing frames go to the sink as fast as they decode.
    bool Start(bool repeat, bool mute, FrameSink sink, bool paced = true);
    void Stop();
    // Set when a play has ended, by its end or by Stop; shared, so that a
    // waiter may outlive the stream.
    std::shared_ptr<Event> EndedEvent() const { return ended; }

    std::uint64_t FramesShown() const { return framesShown; }
    std::uint64_t FramesDropped() const { return framesDropped; }

private:
    struct Decoder;
    void Run(bool repeat, bool mute, bool paced);

    std::unique_ptr<Decoder> decoder;
    FrameSink sink;
    Event stop;
    std::shared_ptr<Event> ended = std::make_shared<Event>();
    std::thread thread;
    std::atomic<std::uint64_t> framesShown = 0;
    std::atomic<std::uint64_t> framesDropped = 0;
};
