#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

// A wave output device for 8-bit unsigned PCM, over SDL's callback audio.
// Buffers written to it play one after another; each buffer that comes back
// (played to its end, or dropped by Reset or Close) is reported once to the
// done callback, on SDL's audio thread or on the thread that resets. A buffer
// must stay valid and unchanged until it has come back.
class WaveOut {
public:
    using DoneCallback = std::function<void()>;

    WaveOut() = default;
    ~WaveOut() { Close(); }
    WaveOut(const WaveOut&) = delete;
    WaveOut& operator=(const WaveOut&) = delete;

    // False when no device takes this format; nothing is open then.
    bool Open(int sampleRate, int channels, DoneCallback done);
    bool Write(const std::uint8_t* data, std::size_t size);
    // Drops every buffer not yet played; each counts as come back.
    void Reset();
    void Close();
    bool IsOpen() const { return device != 0; }

    // Whether a device for the format can be opened at all (opens and closes one).
    static bool Probe(int sampleRate, int channels);

private:
    struct Pending {
        const std::uint8_t* data;
        std::size_t size;
        std::size_t played;
    };

    static void Feed(void* self, std::uint8_t* stream, int length);
    void FeedStream(std::uint8_t* stream, std::size_t length);

    std::uint32_t device = 0;
    DoneCallback done;
    std::mutex queueMutex;
    std::deque<Pending> queue;
};
