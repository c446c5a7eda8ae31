#pragma once

#include <cstddef>
#include <cstdint>

// A sound device fed by queueing 16-bit samples as they are decoded: the
// sound of a video. Closing drops what is still queued.
class CQueuedSound {
public:
    CQueuedSound() = default;
    ~CQueuedSound() { Close(); }
    CQueuedSound(const CQueuedSound&) = delete;
    CQueuedSound& operator=(const CQueuedSound&) = delete;

    bool Open(int sampleRate, int channels);
    // Interleaved samples, `count` of them in all channels together.
    void Queue(const std::int16_t* samples, std::size_t count);
    void Close();
    bool IsOpen() const { return device != 0; }

private:
    std::uint32_t device = 0;
};
