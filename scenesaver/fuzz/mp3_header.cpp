// The first-frame scan of an MP3 block, and the tag size it skips, over
// bytes from a scene file.
#include "media/MP3Header.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t tag = ID3v2TagSize(data, size);
    const auto header = ScanFirstFrameHeader(data, size);
    if (header) {
        // Found inside the block and inside the scan window behind the tag,
        // and the word there reads back as the same header.
        if (header->offset < tag || header->offset - tag >= kHeaderScanLength ||
            header->offset + 4 > size) {
            __builtin_trap();
        }
        const std::uint8_t* at = data + header->offset;
        const std::uint32_t word = (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) |
                                   (std::uint32_t{at[2]} << 8) | at[3];
        const auto again = ParseFrameHeader(word);
        if (!again || again->sampleRate != header->sampleRate || again->bitRate <= 0 ||
            PlaybackRate(again->sampleRate) > 24000) {
            __builtin_trap();
        }
    }
    return 0;
}
