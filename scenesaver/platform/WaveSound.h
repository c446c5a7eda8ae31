#pragma once

#include "platform/Event.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

// Wave sounds played from memory, one at a time, through SDL's own WAVE
// loader on an audio device of their own (the MP3 player has the other). A
// new sound replaces the playing one.
class CWaveSound {
public:
    CWaveSound() = default;
    ~CWaveSound() { Stop(); }
    CWaveSound(const CWaveSound&) = delete;
    CWaveSound& operator=(const CWaveSound&) = delete;

    // With wait it returns when the sound has ended or the stop event (may
    // be null) is set; a looping sound plays until stopped. False when
    // nothing plays: not a wave sound, or no device for it.
    bool Play(const std::uint8_t* data, std::size_t size, bool wait, bool loop, Event* stop);
    // The sound with no data: whatever plays stops.
    void Stop();
    bool IsPlaying();

private:
    struct Playing;
    void StopLocked();

    std::mutex playMutex;
    std::shared_ptr<Playing> playing;
};
