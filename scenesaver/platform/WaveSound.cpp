#include "platform/WaveSound.h"

#include "platform/SdlAudio.h"
#include "platform/WaveCheck.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

// The decoded sound and its device. Only the callback moves the position
// while the device runs; Stop closes the device before freeing the samples.
struct CWaveSound::Playing {
    SDL_AudioDeviceID device = 0;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    Uint32 position = 0;
    Uint8 silence = 0;
    bool loop = false;
    Event ended;

    ~Playing() {
        if (device != 0) {
            SDL_CloseAudioDevice(device);
        }
        SDL_FreeWAV(samples);
    }

    static void Feed(void* self, Uint8* stream, int size) {
        static_cast<Playing*>(self)->FeedStream(stream, static_cast<Uint32>(std::max(size, 0)));
    }

    void FeedStream(Uint8* stream, Uint32 size) {
        Uint32 filled = 0;
        while (filled < size && length > 0) {
            if (position == length) {
                if (!loop) {
                    break;
                }
                position = 0;
            }
            const Uint32 count = std::min(size - filled, length - position);
            std::memcpy(stream + filled, samples + position, count);
            filled += count;
            position += count;
        }
        std::memset(stream + filled, silence, size - filled);
        // Ended once a whole period of silence follows the last sample, so
        // that a sound waited for is heard to its end before the next starts.
        if (!loop && position == length && filled == 0) {
            ended.set();
        }
    }
};

bool CWaveSound::Play(const std::uint8_t* data, std::size_t size, bool wait, bool loop,
                      Event* stop) {
    std::shared_ptr<Playing> sound;
    {
        std::lock_guard lock(playMutex);
        StopLocked();
        if (!CheckWaveBytes(data, size) || size > 0x7FFFFFFF || !StartSdlAudio()) {
            return false;
        }
        sound = std::make_shared<Playing>();
        SDL_RWops* bytes = SDL_RWFromConstMem(data, static_cast<int>(size));
        SDL_AudioSpec format{};
        if (bytes == nullptr ||
            SDL_LoadWAV_RW(bytes, 1, &format, &sound->samples, &sound->length) == nullptr) {
            return false;
        }
        sound->loop = loop && !wait;
        sound->silence = format.silence;
        format.callback = &Playing::Feed;
        format.userdata = sound.get();
        format.samples = 1024;
        SDL_AudioSpec have{};
        sound->device = SDL_OpenAudioDevice(nullptr, 0, &format, &have, 0);
        if (sound->device == 0) {
            return false;
        }
        SDL_PauseAudioDevice(sound->device, 0);
        playing = sound;
    }
    if (wait) {
        Event neverSet;
        Event::waitAny({&sound->ended, stop != nullptr ? stop : &neverSet});
    }
    return true;
}

void CWaveSound::Stop() {
    std::lock_guard lock(playMutex);
    StopLocked();
}

void CWaveSound::StopLocked() {
    if (playing) {
        // Ends a waiting Play of the sound too.
        playing->ended.set();
        playing.reset();
    }
}

bool CWaveSound::IsPlaying() {
    std::lock_guard lock(playMutex);
    return playing != nullptr && !playing->ended.isSet();
}
