#pragma once

#include <cstddef>
#include <cstdint>

// Sample objects are outside data: before the library's WAVE reader gets
// one, its chunks are walked here. Usable means RIFF/WAVE, whole chunks to
// the end of the image (at most three bytes left over), every "fmt " chunk
// PCM (mono or stereo, 8 or 16 bits), and one "data" chunk after a "fmt "
// chunk, at most max_wave_data bytes long.
constexpr std::uint64_t max_wave_data = 16u << 20;

bool wave_image_usable(const std::uint8_t* data, std::size_t size);
