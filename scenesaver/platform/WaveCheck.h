#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// What the RIFF structure of a wave sound says, checked before the bytes go
// to SDL's loader: every chunk inside the block and inside the RIFF size, a
// format chunk before the data chunk, and a format SDL knows.
struct WaveLayout {
    std::uint16_t formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
};

std::optional<WaveLayout> CheckWaveBytes(const std::uint8_t* data, std::size_t size);
