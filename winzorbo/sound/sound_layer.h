#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The game's sound calls: samples with volume and pan on Allegro voices, and
// music modules decoded by libxmp into one Allegro audio stream that a pump
// thread keeps filled. Without a sound device every call is a harmless no-op
// (songs still load and render, so they can be checked headless).

constexpr int sound_free = -1; // "any free channel"
constexpr int sound_mixing_rate = 32000;

struct Song;

// Start the device and the music stream; false when there is no device.
bool sound_init(int mixing_rate, int channels, int flags);
void sound_close();

// A WAVE file image in memory. Returns a sample handle, or -1.
int sound_sample_load(int slot, const void* data, long size);
// -1 keeps a value as it is.
void sound_sample_set_defaults(int sample, int frequency, int volume, int pan, int priority);
void sound_set_sfx_master_volume(int volume);
// Returns the channel, or -1 when nothing plays.
int sound_play(int channel, int sample);
// Channels that have finished, were reused or never played are ignored.
void sound_set_pan(int channel, int pan);
void sound_stop(int channel);
// True while the sound the channel was handed out for still plays (while
// recording without a device: until it is stopped or its slot is reused).
bool sound_channel_playing(int channel);

// A music module image; nullptr when it cannot be read. Every song call
// accepts nullptr.
Song* song_load_memory(const void* data, long size);
void song_set_master_volume(Song* song, int volume);
void song_play(Song* song); // from the start
void song_set_paused(Song* song, int paused);
void song_stop(Song* song);
void song_free(Song* song); // stops it first when it plays

// Interleaved stereo frames as the pump feeds them, at the mixing rate:
// silence unless the song plays unpaused, scaled by its volume.
void song_render(Song* song, std::int16_t* frames, int count);

// Tests: every call is appended to log as one line, and channels are handed
// out even without a device so that stop and pan can be followed. nullptr
// ends the recording.
void sound_record(std::vector<std::string>* log);
