#include "platform/QueuedSound.h"

#include "platform/SdlAudio.h"

#include <SDL.h>

bool CQueuedSound::Open(int sampleRate, int channels) {
    Close();
    if (!StartSdlAudio() || sampleRate <= 0 || channels < 1 || channels > 2) {
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(channels);
    want.samples = 1024;
    SDL_AudioSpec have{};
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device != 0) {
        SDL_PauseAudioDevice(device, 0);
    }
    return device != 0;
}

void CQueuedSound::Queue(const std::int16_t* samples, std::size_t count) {
    if (device != 0 && count > 0 && count < 0x10000000) {
        SDL_QueueAudio(device, samples, static_cast<Uint32>(count * sizeof(std::int16_t)));
    }
}

void CQueuedSound::Close() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
}
