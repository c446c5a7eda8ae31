// Arbitrary bytes as a sound object of a datafile: the first byte chooses a
// sample (WAVE image) or a song (music module); a song that loads is played
// and rendered for a moment, then freed while it plays.
#include "sound/sound_layer.h"

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {
bool started = [] {
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    return true;
}();
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!started || size < 1) {
        return 0;
    }
    const uint8_t* body = data + 1;
    long length = static_cast<long>(size - 1);
    if (data[0] % 2 == 0) {
        int sample = sound_sample_load(0, body, length);
        if (sample >= 0) {
            sound_sample_set_defaults(sample, -1, 200, -1, 100);
            sound_play(sound_free, sample);
        }
        return 0;
    }
    Song* song = song_load_memory(body, length);
    if (song) {
        std::vector<std::int16_t> frames(2 * 2048);
        song_set_master_volume(song, 255);
        song_play(song);
        song_render(song, frames.data(), 2048);
        song_free(song);
    }
    return 0;
}
