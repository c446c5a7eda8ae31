#pragma once

// The seven event samples, "Zorbo.dat" objects 201..207 in this order.
enum SoundRole {
    sound_score = 0,
    sound_flag_lost = 1,
    sound_hit = 2,
    sound_landing = 3,
    sound_crash = 4,
    sound_splash = 5,
    sound_wrap = 6,
    sound_role_count = 7,
};

constexpr int not_panned = -1;

// Start-up: the device, the samples with their default volumes and
// priorities, the effects volume. Shut-down: everything released.
void start_game_sounds(int effect_volume);
void stop_game_sounds();

// Plays one event sample, panned (0 left .. 255 right) unless pan is
// not_panned. Returns the channel.
int play_game_sound(SoundRole role, int pan = not_panned);
