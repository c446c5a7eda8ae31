#pragma once

#include <cstdint>
#include <vector>

constexpr int effect_sample_rate = 22050;

// A mono 16-bit PCM WAVE file image of the samples (-1..1).
std::vector<std::uint8_t> wave_file(const std::vector<double>& samples, int rate);

// The seven game sounds, in object order: score, flag lost, hit, landing,
// crash, splash, wrap.
std::vector<std::vector<std::uint8_t>> make_sound_effects();
