#include "sound/game_sounds.h"

#include "core/game_state.h"
#include "core/zorbo_objects.h"
#include "sound/sound_layer.h"

#include <allegro.h>

namespace {
struct SampleDefaults {
    int volume;
    int priority;
};

constexpr SampleDefaults defaults[sound_role_count] = {
    {180, 200}, {180, 200}, {200, 100}, {140, 150}, {90, 200}, {255, 150}, {180, 150},
};

int sample_handles[sound_role_count] = {-1, -1, -1, -1, -1, -1, -1};
} // namespace

void start_game_sounds(int effect_volume) {
    sound_init(sound_mixing_rate, 64, 0);
    for (int role = 0; role < sound_role_count; ++role) {
        const DATAFILE& object = zorbo_data[obj_sound + role];
        sample_handles[role] = sound_sample_load(sound_free, object.dat, object.size);
    }
    for (int role = 0; role < sound_role_count; ++role) {
        sound_sample_set_defaults(sample_handles[role], -1, defaults[role].volume, -1,
                                  defaults[role].priority);
    }
    sound_set_sfx_master_volume(effect_volume);
}

void stop_game_sounds() {
    sound_close();
    for (int& handle : sample_handles) {
        handle = -1;
    }
}

int play_game_sound(SoundRole role, int pan) {
    int channel = sound_play(sound_free, sample_handles[role]);
    if (pan != not_panned) {
        sound_set_pan(channel, pan);
    }
    return channel;
}
