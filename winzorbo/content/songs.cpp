#include "content/songs.h"

#include "content/module_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double pi = std::numbers::pi;

enum Instrument { lead = 1, bass = 2, pad = 3, kick = 4, snare = 5, hat = 6, bell = 7 };

class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    int below(int n) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t state_;
};

std::int8_t clip(double v) {
    return static_cast<std::int8_t>(std::lround(std::clamp(v, -1.0, 1.0) * 120));
}

// A single-cycle waveform repeated so that the loop is long enough to mix
// cleanly; cycle samples per period.
ModuleInstrument looped(const char* name, int cycle, int repeats, int volume,
                        double (*wave)(double)) {
    ModuleInstrument instrument{name, {}, volume, 0, 0};
    for (int r = 0; r < repeats; ++r) {
        for (int i = 0; i < cycle; ++i) {
            instrument.data.push_back(clip(wave(static_cast<double>(i) / cycle)));
        }
    }
    instrument.loop_start = 0;
    instrument.loop_length = static_cast<int>(instrument.data.size());
    return instrument;
}

ModuleInstrument one_shot(const char* name, int length, int volume, std::uint32_t seed,
                          double (*voice)(double t, double noise)) {
    ModuleInstrument instrument{name, {0, 0}, volume, 0, 0};
    std::uint32_t state = seed;
    for (int i = 0; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        double noise = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
        instrument.data.push_back(clip(voice(i / 8287.0, noise)));
    }
    if (instrument.data.size() % 2) {
        instrument.data.push_back(0);
    }
    return instrument;
}

double lead_wave(double p) {
    return 0.55 * (p < 0.3 ? 1 : -1) + 0.35 * std::sin(2 * pi * p) + 0.1 * std::sin(6 * pi * p);
}
double bass_wave(double p) {
    return 0.8 * (1 - 2 * p) * 0.7 + 0.4 * std::sin(2 * pi * p);
}
double pad_wave(double p) {
    return 0.9 * (p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
}

double kick_voice(double t, double) {
    double f = 160 * std::exp(-t * 25) + 45;
    return std::sin(2 * pi * f * t) * std::exp(-t * 9);
}
double snare_voice(double t, double noise) {
    return (noise * 0.8 + 0.4 * std::sin(2 * pi * 190 * t)) * std::exp(-t * 14);
}
double hat_voice(double t, double noise) {
    return noise * 0.6 * std::exp(-t * 60);
}
double bell_voice(double t, double) {
    double f = 259.0;
    return (std::sin(2 * pi * f * t) + 0.5 * std::sin(2 * pi * f * 2.76 * t) * std::exp(-t * 6)) *
           0.6 * std::exp(-t * 2.5);
}

constexpr int major_scale[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int minor_scale[7] = {0, 2, 3, 5, 7, 8, 10};

int scale_note(const SongStyle& style, int degree) {
    const int* scale = style.minor ? minor_scale : major_scale;
    int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    int step = degree - octave * 7;
    return style.root + 12 * octave + scale[step];
}

// The chord on a degree as arpeggio offsets (third and fifth above root).
int arpeggio(const SongStyle& style, int degree) {
    int root = scale_note(style, degree);
    int third = scale_note(style, degree + 2) - root;
    int fifth = scale_note(style, degree + 4) - root;
    return (third << 4) | fifth;
}

void put(ModulePattern& pattern, int row, int channel, int note, int instrument, int effect = 0,
         int parameter = 0) {
    pattern[static_cast<std::size_t>(row)][static_cast<std::size_t>(channel)] =
        ModuleNote{note < 0 ? -1 : std::clamp(note, 0, 35), instrument, effect, parameter};
}

ModulePattern compose_pattern(const SongStyle& style, int index, Dice& dice) {
    ModulePattern pattern{};
    bool with_lead = index > 0;
    int melody_degree = 7 + dice.below(3);
    for (int bar = 0; bar < 4; ++bar) {
        int degree = style.progression[static_cast<std::size_t>((index * 4 + bar) %
                                                                style.progression.size())];
        int base = bar * 16;
        // Drums.
        for (int step = 0; step < 16; ++step) {
            int row = base + step;
            if (step == 0 || step == 8 || (style.busy_drums && step == 10 && dice.below(2))) {
                put(pattern, row, 0, 12, kick);
            } else if (step == 4 || step == 12) {
                put(pattern, row, 0, 12, snare);
            } else if (step % 2 == 0 || (style.busy_drums && dice.below(4) == 0)) {
                put(pattern, row, 0, 24, hat, 0xC, 24 + dice.below(16));
            }
        }
        if (bar == 3 && index % 2 == 1) {
            for (int step = 12; step < 16; ++step) {
                put(pattern, base + step, 0, 12, snare, 0xC, 30 + step * 2);
            }
        }
        // Bass: root with octave jumps.
        int root = scale_note(style, degree);
        const int bass_steps[] = {0, 3, 6, 8, 10, 12, 14};
        for (int k = 0; k < 7; ++k) {
            int octave_up = (k == 2 || k == 5) ? 12 : 0;
            put(pattern, base + bass_steps[k], 1, root + octave_up, bass);
        }
        // Chords: an arpeggiated pad, restruck every half bar.
        put(pattern, base, 2, root + 12, pad, 0x0, arpeggio(style, degree));
        for (int step = 1; step < 16; ++step) {
            put(pattern, base + step, 2, -1, 0, 0x0, arpeggio(style, degree));
        }
        put(pattern, base + 8, 2, root + 12, pad, 0x0, arpeggio(style, degree));
        // Lead: a wandering line that lands on chord tones at bar starts.
        if (with_lead) {
            for (int step = 0; step < 16; step += 2) {
                bool strong = step % 8 == 0;
                if (!strong && dice.below(5) < 2) {
                    continue;
                }
                if (strong) {
                    int chord_tones[3] = {degree, degree + 2, degree + 4};
                    int pick = chord_tones[dice.below(3)] + 7;
                    melody_degree = pick + (melody_degree > pick + 3 ? 7 : 0);
                } else {
                    melody_degree += dice.below(5) - 2;
                }
                melody_degree = std::clamp(melody_degree, 5, 14);
                int instrument = (index % 3 == 2) ? bell : lead;
                put(pattern, base + step, 3, scale_note(style, melody_degree), instrument, 0xC,
                    strong ? 48 : 36);
            }
        }
    }
    // Tempo at the top of every pattern so any loop point starts right.
    pattern[0][0].effect = 0xF;
    pattern[0][0].parameter = style.speed;
    pattern[0][1].effect = 0xF;
    pattern[0][1].parameter = style.tempo;
    return pattern;
}
} // namespace

std::vector<std::uint8_t> compose_song(const SongStyle& style) {
    Module module;
    module.title = style.title;
    module.instruments.push_back(looped("lead", 32, 8, 40, lead_wave));
    module.instruments.push_back(looped("bass", 64, 4, 56, bass_wave));
    module.instruments.push_back(looped("pad", 32, 8, 30, pad_wave));
    module.instruments.push_back(one_shot("kick", 2400, 64, 1, kick_voice));
    module.instruments.push_back(one_shot("snare", 2600, 44, 2, snare_voice));
    module.instruments.push_back(one_shot("hat", 700, 32, 3, hat_voice));
    module.instruments.push_back(one_shot("bell", 9000, 44, 4, bell_voice));
    Dice dice(style.seed);
    for (int i = 0; i < style.patterns; ++i) {
        module.patterns.push_back(compose_pattern(style, i, dice));
    }
    // Intro once, then the body twice with the first theme between.
    module.order.push_back(0);
    for (int repeat = 0; repeat < 2; ++repeat) {
        for (int i = 1; i < style.patterns; ++i) {
            module.order.push_back(i);
        }
        module.order.push_back(1);
    }
    return module_file(module);
}
