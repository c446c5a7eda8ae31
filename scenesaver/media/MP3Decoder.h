#pragma once

#include "media/MP3Header.h"
#include "platform/Event.h"
#include "platform/WaveOut.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

struct mpg123_handle_struct;

// Source bytes handed to the codec at a time.
inline constexpr std::size_t kSourceChunk = 131072;

// One pass of an MP3 block through libmpg123 (feed mode, 8-bit unsigned PCM
// at the playback rate) into a wave device, with exactly two wave buffers
// cycling. Lives on the MP3 worker thread; only the wave callback reaches it
// from another thread.
class CMP3Decoder {
public:
    enum class Outcome {
        Played,  // the whole block was played
        Stopped, // a stop event ended it
        Failed,  // nothing could be played: no header, no codec, no device
    };

    // stop and sceneStop end a pass at its next wake-up; started is set once
    // the first buffer plays. sceneStop may be null.
    CMP3Decoder(Event& stop, Event& started, Event* sceneStop);
    ~CMP3Decoder();
    CMP3Decoder(const CMP3Decoder&) = delete;
    CMP3Decoder& operator=(const CMP3Decoder&) = delete;

    Outcome PlayOnce(const std::uint8_t* data, std::size_t size);
    // Whether the last pass failed because no wave device opened.
    bool DeviceFailed() const { return deviceFailed; }
    // Time spent in the codec over all passes, for measuring.
    std::chrono::nanoseconds DecodeTime() const { return decodeTime; }

    // The wave buffer size for a source described by the header: what 128 KiB
    // of it decode to at the playback rate, with a frame to spare.
    static std::size_t WaveBufferSize(const MP3FrameHeader& header);

private:
    enum class Fill { Written, Empty, Failed };

    bool OpenConversion(const MP3FrameHeader& header);
    void CloseConversion();
    bool OpenDevice();
    void CloseDevice();
    Fill FillBuffer();
    bool Decode(std::uint8_t* out, std::size_t capacity, std::size_t& produced);
    void BufferReturned();
    bool Stopping() const;

    Event& stop;
    Event& started;
    Event* sceneStop;
    Event neverSet;

    mpg123_handle_struct* stream = nullptr;
    const std::uint8_t* source = nullptr;
    std::size_t sourceSize = 0;
    std::size_t consumed = 0;
    bool end = false;
    bool deviceFailed = false;
    std::chrono::nanoseconds decodeTime{0};
    int outputRate = 0;
    int outputChannels = 0;

    WaveOut device;
    std::size_t waveBufferSize = 0;
    std::array<std::vector<std::uint8_t>, 2> buffers;
    int current = 0;

    // The in-flight count and the buffer-done event form one condition under
    // one mutex: the callback lowers the count and sets the event while
    // holding it, and the decoder resets the event only while holding it and
    // seeing nothing to do, so a returning buffer can never be missed.
    std::mutex flightMutex;
    int inFlight = 0;
    Event bufferDone;
};
