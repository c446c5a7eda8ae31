#include "content/sound_effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double pi = std::numbers::pi;
constexpr double rate = effect_sample_rate;

// Fixed-seed noise so the same build gives the same bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

std::vector<double> silence(double seconds) {
    return std::vector<double>(static_cast<std::size_t>(seconds * rate), 0.0);
}

// A bell-like tone: a sine with a little second harmonic and a fast decay.
void add_chime(std::vector<double>& out, double start, double frequency, double length,
               double level) {
    auto first = static_cast<std::size_t>(start * rate);
    for (std::size_t i = 0; i < static_cast<std::size_t>(length * rate); ++i) {
        if (first + i >= out.size()) {
            break;
        }
        double t = i / rate;
        double envelope = std::exp(-t * 7.0) * std::min(1.0, t * 400);
        double phase = 2 * pi * frequency * t;
        out[first + i] += level * envelope * (std::sin(phase) + 0.3 * std::sin(2 * phase));
    }
}

std::vector<double> score() {
    auto out = silence(0.7);
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i) {
        add_chime(out, i * 0.075, notes[i], 0.5, 0.35);
    }
    return out;
}

std::vector<double> flag_lost() {
    auto out = silence(0.75);
    const double notes[] = {659.25, 554.37, 440.0, 329.63};
    for (int i = 0; i < 4; ++i) {
        add_chime(out, i * 0.11, notes[i], 0.4, 0.35);
    }
    return out;
}

std::vector<double> hit() {
    auto out = silence(0.18);
    Noise noise(3);
    double low = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = i / rate;
        low += (noise.next() - low) * 0.35;
        double thump = std::sin(2 * pi * (180 - t * 500) * t) * std::exp(-t * 30);
        out[i] = (low * 0.9 * std::exp(-t * 35) + thump * 0.6);
    }
    return out;
}

std::vector<double> landing() {
    auto out = silence(0.22);
    Noise noise(5);
    double low = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = i / rate;
        low += (noise.next() - low) * 0.08;
        double knock = std::sin(2 * pi * 95 * t) * std::exp(-t * 22);
        out[i] = knock * 0.7 + low * 1.5 * std::exp(-t * 25);
    }
    return out;
}

std::vector<double> crash() {
    auto out = silence(1.3);
    Noise noise(7);
    double low = 0, lower = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = i / rate;
        double n = noise.next();
        low += (n - low) * 0.25;
        lower += (n - lower) * 0.03;
        double boom = std::sin(2 * pi * (70 - t * 30) * t) * std::exp(-t * 4);
        double crackle = (noise.next() > 0.97 ? noise.next() : 0) * std::exp(-t * 3);
        out[i] = low * 0.6 * std::exp(-t * 5) + lower * 2.5 * std::exp(-t * 2.5) + boom * 0.5 +
                 crackle * 0.5;
    }
    return out;
}

std::vector<double> splash() {
    auto out = silence(0.6);
    Noise noise(11);
    double low = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = i / rate;
        low += (noise.next() - low) * (0.6 - t * 0.8 > 0.05 ? 0.6 - t * 0.8 : 0.05);
        double envelope = std::min(1.0, t * 60) * std::exp(-t * 6);
        out[i] = low * envelope * 0.8;
    }
    // Bubbles rising after the splash.
    for (int b = 0; b < 5; ++b) {
        double start = 0.12 + b * 0.07;
        double frequency = 600 + b * 170;
        auto first = static_cast<std::size_t>(start * rate);
        for (std::size_t i = 0; i < static_cast<std::size_t>(0.05 * rate); ++i) {
            double t = i / rate;
            if (first + i < out.size()) {
                out[first + i] +=
                    0.25 * std::sin(2 * pi * frequency * (1 + t * 12) * t) * std::exp(-t * 60);
            }
        }
    }
    return out;
}

std::vector<double> wrap() {
    auto out = silence(0.35);
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = i / rate;
        double frequency = 300 + 1800 * (t / 0.35) * (t / 0.35);
        phase += 2 * pi * frequency / rate;
        double envelope = std::sin(pi * t / 0.35);
        out[i] = 0.4 * envelope * (std::sin(phase) + 0.4 * std::sin(phase * 1.5));
    }
    return out;
}

void put_le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xff));
    }
}

void put_tag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}
} // namespace

std::vector<std::uint8_t> wave_file(const std::vector<double>& samples, int sample_rate) {
    std::vector<std::uint8_t> out;
    auto data_size = static_cast<std::uint32_t>(samples.size() * 2);
    put_tag(out, "RIFF");
    put_le(out, 36 + data_size, 4);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put_le(out, 16, 4);
    put_le(out, 1, 2); // PCM
    put_le(out, 1, 2); // mono
    put_le(out, static_cast<std::uint32_t>(sample_rate), 4);
    put_le(out, static_cast<std::uint32_t>(sample_rate * 2), 4);
    put_le(out, 2, 2);
    put_le(out, 16, 2);
    put_tag(out, "data");
    put_le(out, data_size, 4);
    for (double sample : samples) {
        auto value = static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32000));
        put_le(out, static_cast<std::uint16_t>(value), 2);
    }
    return out;
}

std::vector<std::vector<std::uint8_t>> make_sound_effects() {
    std::vector<std::vector<std::uint8_t>> files;
    for (auto* make : {score, flag_lost, hit, landing, crash, splash, wrap}) {
        files.push_back(wave_file(make(), effect_sample_rate));
    }
    return files;
}
