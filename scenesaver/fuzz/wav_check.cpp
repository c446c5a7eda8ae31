// The RIFF check a wave sound from a scene file passes before SDL's loader
// sees it.
#include "platform/WaveCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto layout = CheckWaveBytes(data, size);
    if (layout) {
        // The samples it names lie inside the block.
        if (layout->dataOffset > size || layout->dataSize > size - layout->dataOffset ||
            layout->channels < 1 || layout->sampleRate < 1) {
            __builtin_trap();
        }
    }
    return 0;
}
