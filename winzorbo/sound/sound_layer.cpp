#include "sound/sound_layer.h"

#include "sound/wave_check.h"

#include <algorithm>
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <xmp.h>

struct Song {
    xmp_context context = nullptr;
    bool playing = false;
    bool paused = false;
    int volume = 255;
};

namespace {
constexpr int max_samples = 32;
constexpr int max_channels = 64;
constexpr int stream_frames = 1024;

struct SampleSlot {
    SAMPLE* sample = nullptr;
    int volume = 255;
    int pan = 128;
    int priority = 128;
};

struct ChannelSlot {
    int voice = -1;
    SAMPLE* sample = nullptr;
    bool in_use = false;
    int generation = 0; // of the sound it holds
    int handed_out = 0; // how often, wrapping at max_generation
};

// A channel handle names a slot and the time it was handed out: slot +
// max_channels * generation. A handle kept after its slot went to another
// sound no longer matches, so it cannot stop or pan that sound.
constexpr int max_generation = (1 << 23) - 1;

SampleSlot samples[max_samples];
ChannelSlot channels[max_channels];
int next_channel = 0;
int sfx_volume = 255;
bool device_ready = false;
std::vector<std::string>* recording = nullptr;

// The pump thread and the program thread share the songs.
std::mutex song_mutex;
std::vector<Song*> live_songs;
AUDIOSTREAM* stream = nullptr;
std::thread pump;
std::atomic<bool> pump_running{false};
int stream_rate = sound_mixing_rate;

void record(const std::string& line) {
    if (recording) {
        recording->push_back(line);
    }
}

bool sample_valid(int sample) {
    return sample >= 0 && sample < max_samples && samples[sample].sample;
}

// The slot a handle names, while it still holds that handle's sound.
ChannelSlot* slot_of(int channel) {
    if (channel < 0) {
        return nullptr;
    }
    ChannelSlot& slot = channels[channel % max_channels];
    if (!slot.in_use || slot.generation != channel / max_channels) {
        return nullptr;
    }
    if (device_ready && (slot.voice < 0 || voice_check(slot.voice) != slot.sample)) {
        return nullptr;
    }
    return &slot;
}

void release_channel(ChannelSlot& slot) {
    if (slot.voice >= 0) {
        deallocate_voice(slot.voice);
    }
    slot.voice = -1;
    slot.sample = nullptr;
    slot.in_use = false;
}

// The next slot in turn, its old sound stopped; returns the new handle.
int take_channel(int voice, SAMPLE* sample) {
    int index = next_channel;
    next_channel = (next_channel + 1) % max_channels;
    ChannelSlot& slot = channels[index];
    release_channel(slot);
    slot.voice = voice;
    slot.sample = sample;
    slot.in_use = true;
    slot.generation = slot.handed_out;
    slot.handed_out = slot.handed_out == max_generation ? 0 : slot.handed_out + 1;
    return index + max_channels * slot.generation;
}

// Voices of finished sounds go back to Allegro before a new one is taken.
void sweep_finished() {
    for (ChannelSlot& slot : channels) {
        if (slot.voice >= 0 && voice_get_position(slot.voice) < 0) {
            release_channel(slot);
        }
    }
}

// Allegro's 16-bit streams are unsigned.
void fill_stream(unsigned short* out) {
    static std::int16_t mix[2 * stream_frames];
    static std::int16_t one[2 * stream_frames];
    std::memset(mix, 0, sizeof mix);
    {
        std::lock_guard lock(song_mutex);
        for (Song* song : live_songs) {
            song_render(song, one, stream_frames);
            for (int i = 0; i < 2 * stream_frames; ++i) {
                mix[i] = static_cast<std::int16_t>(std::clamp(mix[i] + one[i], -32768, 32767));
            }
        }
    }
    for (int i = 0; i < 2 * stream_frames; ++i) {
        out[i] = static_cast<unsigned short>(mix[i] + 32768);
    }
}

void pump_loop() {
    while (pump_running.load()) {
        void* buffer = get_audio_stream_buffer(stream);
        if (buffer) {
            fill_stream(static_cast<unsigned short*>(buffer));
            free_audio_stream_buffer(stream);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

// Allegro reads WAVE files from packfiles; this one reads from memory.
struct MemoryFile {
    const unsigned char* data;
    long size;
    long position;
};

int memory_fclose(void*) {
    return 0;
}
int memory_getc(void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    return file->position < file->size ? file->data[file->position++] : EOF;
}
int memory_ungetc(int c, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    if (file->position > 0) {
        --file->position;
        return c;
    }
    return EOF;
}
long memory_fread(void* out, long count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    long n = std::clamp(file->size - file->position, 0L, std::max(count, 0L));
    std::memcpy(out, file->data + file->position, static_cast<std::size_t>(n));
    file->position += n;
    return n;
}
int memory_putc(int, void*) {
    return EOF;
}
long memory_fwrite(const void*, long, void*) {
    return 0;
}
int memory_fseek(void* user, int offset) {
    auto* file = static_cast<MemoryFile*>(user);
    if (offset < 0 || offset > file->size - file->position) {
        return -1;
    }
    file->position += offset;
    return 0;
}
int memory_feof(void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    return file->position >= file->size;
}
int memory_ferror(void*) {
    return 0;
}

// allegro_exit (also on the way out of a fatal error) stops the pump before
// it removes the sound driver the pump feeds.
void close_with_allegro() {
    sound_close();
}

const PACKFILE_VTABLE memory_vtable = {memory_fclose, memory_getc, memory_ungetc,
                                       memory_fread,  memory_putc, memory_fwrite,
                                       memory_fseek,  memory_feof, memory_ferror};
} // namespace

bool sound_init(int mixing_rate, int channel_count, int flags) {
    record("init " + std::to_string(mixing_rate) + " " + std::to_string(channel_count) + " " +
           std::to_string(flags));
    if (device_ready) {
        return true;
    }
    // Machines without a sound card (test servers) can skip the probing of
    // every driver, which costs time and leaves the sound system's caches
    // behind.
    if (const char* choice = std::getenv("WINZORBO_SOUND");
        choice && std::strcmp(choice, "none") == 0) {
        return false;
    }
    // Allegro mixes at most 64 voices; one of them carries the music stream.
    reserve_voices(std::min(channel_count, max_channels - 1) + 1, 0);
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) {
        return false;
    }
    stream_rate = mixing_rate;
    stream = play_audio_stream(stream_frames, 16, TRUE, mixing_rate, 255, 128);
    if (!stream) {
        remove_sound();
        return false;
    }
    device_ready = true;
    pump_running = true;
    pump = std::thread(pump_loop);
    _add_exit_func(close_with_allegro, "winzorbo sound");
    return true;
}

void sound_close() {
    record("close");
    if (pump_running.exchange(false)) {
        pump.join();
    }
    if (device_ready) {
        _remove_exit_func(close_with_allegro);
        for (ChannelSlot& slot : channels) {
            release_channel(slot);
        }
        stop_audio_stream(stream);
        stream = nullptr;
        remove_sound();
        device_ready = false;
    }
    for (SampleSlot& slot : samples) {
        if (slot.sample) {
            destroy_sample(slot.sample);
        }
        slot = SampleSlot{};
    }
}

int sound_sample_load(int slot, const void* data, long size) {
    record("sample_load " + std::to_string(slot) + " " + std::to_string(size));
    int index = slot;
    if (index < 0) {
        index = 0;
        while (index < max_samples && samples[index].sample) {
            ++index;
        }
    }
    if (index >= max_samples || !data || size <= 0 ||
        !wave_image_usable(static_cast<const std::uint8_t*>(data),
                           static_cast<std::size_t>(size))) {
        return -1;
    }
    MemoryFile file{static_cast<const unsigned char*>(data), size, 0};
    PACKFILE* packfile = pack_fopen_vtable(&memory_vtable, &file);
    if (!packfile) {
        return -1;
    }
    SAMPLE* sample = load_wav_pf(packfile);
    pack_fclose(packfile);
    if (!sample) {
        return -1;
    }
    if (samples[index].sample) {
        destroy_sample(samples[index].sample);
    }
    samples[index] = SampleSlot{sample, 255, 128, 128};
    return index;
}

void sound_sample_set_defaults(int sample, int frequency, int volume, int pan, int priority) {
    record("sample_defaults " + std::to_string(sample) + " " + std::to_string(frequency) + " " +
           std::to_string(volume) + " " + std::to_string(pan) + " " + std::to_string(priority));
    if (!sample_valid(sample)) {
        return;
    }
    SampleSlot& slot = samples[sample];
    if (frequency > 0) {
        slot.sample->freq = frequency;
    }
    if (volume >= 0) {
        slot.volume = std::clamp(volume, 0, 255);
    }
    if (pan >= 0) {
        slot.pan = std::clamp(pan, 0, 255);
    }
    if (priority >= 0) {
        slot.priority = std::clamp(priority, 0, 255);
    }
}

void sound_set_sfx_master_volume(int volume) {
    record("sfx_volume " + std::to_string(volume));
    sfx_volume = std::clamp(volume, 0, 255);
}

int sound_play(int channel, int sample) {
    if (!device_ready) {
        int handed = -1;
        if (recording) {
            handed = take_channel(-1, nullptr);
        }
        record("play " + std::to_string(channel) + " " + std::to_string(sample) + " -> " +
               std::to_string(handed));
        return handed;
    }
    if (!sample_valid(sample)) {
        return -1;
    }
    sweep_finished();
    const SampleSlot& slot = samples[sample];
    int voice = allocate_voice(slot.sample);
    if (voice < 0) {
        return -1;
    }
    int index = take_channel(voice, slot.sample);
    voice_set_priority(voice, slot.priority);
    voice_set_volume(voice, slot.volume * sfx_volume / 255);
    voice_set_pan(voice, slot.pan);
    voice_start(voice);
    record("play " + std::to_string(channel) + " " + std::to_string(sample) + " -> " +
           std::to_string(index));
    return index;
}

void sound_set_pan(int channel, int pan) {
    record("pan " + std::to_string(channel) + " " + std::to_string(pan));
    ChannelSlot* slot = slot_of(channel);
    if (device_ready && slot) {
        voice_set_pan(slot->voice, std::clamp(pan, 0, 255));
    }
}

void sound_stop(int channel) {
    record("stop " + std::to_string(channel));
    if (ChannelSlot* slot = slot_of(channel)) {
        release_channel(*slot);
    }
}

Song* song_load_memory(const void* data, long size) {
    record("song_load " + std::to_string(size));
    if (!data || size <= 0) {
        return nullptr;
    }
    xmp_context context = xmp_create_context();
    if (!context) {
        return nullptr;
    }
    if (xmp_load_module_from_memory(context, data, size) < 0) {
        xmp_free_context(context);
        return nullptr;
    }
    Song* song = new Song;
    song->context = context;
    return song;
}

void song_set_master_volume(Song* song, int volume) {
    record("song_volume " + std::to_string(volume));
    if (song) {
        std::lock_guard lock(song_mutex);
        song->volume = std::clamp(volume, 0, 255);
    }
}

void song_play(Song* song) {
    record("song_play");
    if (!song) {
        return;
    }
    std::lock_guard lock(song_mutex);
    if (song->playing) {
        xmp_end_player(song->context);
    }
    song->playing = xmp_start_player(song->context, stream_rate, 0) == 0;
    song->paused = false;
    if (song->playing &&
        std::find(live_songs.begin(), live_songs.end(), song) == live_songs.end()) {
        live_songs.push_back(song);
    }
}

void song_set_paused(Song* song, int paused) {
    record("song_paused " + std::to_string(paused));
    if (song) {
        std::lock_guard lock(song_mutex);
        song->paused = paused != 0;
    }
}

void song_stop(Song* song) {
    record("song_stop");
    if (!song) {
        return;
    }
    std::lock_guard lock(song_mutex);
    if (song->playing) {
        xmp_end_player(song->context);
        song->playing = false;
    }
    live_songs.erase(std::remove(live_songs.begin(), live_songs.end(), song), live_songs.end());
}

void song_free(Song* song) {
    record("song_free");
    if (!song) {
        return;
    }
    song_stop(song);
    xmp_release_module(song->context);
    xmp_free_context(song->context);
    delete song;
}

void song_render(Song* song, std::int16_t* frames, int count) {
    std::memset(frames, 0, sizeof(std::int16_t) * 2 * static_cast<std::size_t>(count));
    if (!song || !song->playing || song->paused || song->volume == 0) {
        return;
    }
    xmp_play_buffer(song->context, frames, count * 4, 0);
    for (int i = 0; i < 2 * count; ++i) {
        frames[i] = static_cast<std::int16_t>(frames[i] * song->volume / 255);
    }
}

bool sound_channel_playing(int channel) {
    return slot_of(channel) != nullptr;
}

void sound_record(std::vector<std::string>* log) {
    recording = log;
    next_channel = 0;
    for (ChannelSlot& slot : channels) {
        release_channel(slot);
        slot.handed_out = 0;
    }
}
