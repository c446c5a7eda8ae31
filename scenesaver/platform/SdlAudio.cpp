#include "platform/SdlAudio.h"

#include <SDL.h>

#include <mutex>

namespace {
std::mutex startMutex;
bool started = false;
} // namespace

bool StartSdlAudio() {
    // SDL's start-up is not safe to run on two threads at once, and the MP3
    // worker and the scene thread may both be the first to want sound.
    std::lock_guard lock(startMutex);
    if (!started) {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    return started;
}
