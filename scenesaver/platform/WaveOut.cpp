#include "platform/WaveOut.h"

#include "platform/SdlAudio.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {
// 512 frames: the first sound reaches the speaker within about 25 ms at the
// usual 22 kHz, and the callback still runs only some forty times a second.
constexpr Uint16 kDeviceFrames = 512;
constexpr std::uint8_t kSilence = 0x80; // 8-bit unsigned PCM

SDL_AudioDeviceID OpenDevice(int sampleRate, int channels, SDL_AudioCallback callback, void* user) {
    if (!StartSdlAudio() || sampleRate <= 0 || channels < 1 || channels > 2) {
        return 0;
    }
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_U8;
    want.channels = static_cast<Uint8>(channels);
    want.samples = kDeviceFrames;
    want.callback = callback;
    want.userdata = user;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants, so the
    // callback always sees the format asked for.
    return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}
} // namespace

bool WaveOut::Probe(int sampleRate, int channels) {
    const SDL_AudioDeviceID probe = OpenDevice(sampleRate, channels, nullptr, nullptr);
    if (probe == 0) {
        return false;
    }
    SDL_CloseAudioDevice(probe);
    return true;
}

bool WaveOut::Open(int sampleRate, int channels, DoneCallback onDone) {
    Close();
    done = std::move(onDone);
    device = OpenDevice(sampleRate, channels, &WaveOut::Feed, this);
    if (device == 0) {
        done = {};
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool WaveOut::Write(const std::uint8_t* data, std::size_t size) {
    if (device == 0 || data == nullptr || size == 0) {
        return false;
    }
    std::lock_guard lock(queueMutex);
    queue.push_back(Pending{data, size, 0});
    return true;
}

void WaveOut::Reset() {
    std::size_t dropped = 0;
    {
        std::lock_guard lock(queueMutex);
        dropped = queue.size();
        queue.clear();
    }
    for (std::size_t i = 0; i < dropped && done; ++i) {
        done();
    }
}

void WaveOut::Close() {
    if (device == 0) {
        return;
    }
    // Closing waits for a running callback, so nothing touches the buffers
    // or the callback after this.
    SDL_CloseAudioDevice(device);
    device = 0;
    Reset();
    done = {};
}

void WaveOut::Feed(void* self, std::uint8_t* stream, int length) {
    static_cast<WaveOut*>(self)->FeedStream(stream,
                                            length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Runs on SDL's audio thread: copies, and counts the buffers that come back.
void WaveOut::FeedStream(std::uint8_t* stream, std::size_t length) {
    std::size_t returned = 0;
    std::size_t filled = 0;
    {
        std::lock_guard lock(queueMutex);
        while (filled < length && !queue.empty()) {
            Pending& front = queue.front();
            const std::size_t count = std::min(length - filled, front.size - front.played);
            std::memcpy(stream + filled, front.data + front.played, count);
            filled += count;
            front.played += count;
            if (front.played == front.size) {
                queue.pop_front();
                ++returned;
            }
        }
    }
    std::memset(stream + filled, kSilence, length - filled);
    for (std::size_t i = 0; i < returned; ++i) {
        done();
    }
}
