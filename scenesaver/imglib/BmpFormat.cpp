#include "imglib/BmpFormat.h"

#include "imglib/ImgTypes.h"
#include "imglib/Stream.h"

#include <cstring>

namespace {
std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
} // namespace

int BmpReadHeaders(ImgStream* stream, BmpHeader& header) {
    std::uint8_t bytes[kBmpFileHeaderBytes + kBmpInfoHeaderBytes];
    if (!ImgStreamReadExact(stream, bytes, kBmpFileHeaderBytes) ||
        !ImgStreamReadExact(stream, bytes + kBmpFileHeaderBytes, kBmpInfoHeaderBytes)) {
        return IMG_ERR_READ;
    }
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        return IMG_ERR_BADBMP;
    }
    const std::uint8_t* info = bytes + kBmpFileHeaderBytes;
    header.pixelOffset = Le32(bytes + 10);
    header.headerSize = Le32(info);
    header.width = static_cast<std::int32_t>(Le32(info + 4));
    header.height = static_cast<std::int32_t>(Le32(info + 8));
    header.bitCount = Le16(info + 14);
    header.compression = Le32(info + 16);
    header.colorsUsed = Le32(info + 32);
    // Core headers (12 bytes) lay out their fields differently; reading them
    // as 40 bytes would take pixels for header fields.
    if (header.headerSize < kBmpInfoHeaderBytes || header.width <= 0 || header.height == 0) {
        return IMG_ERR_BADBMP;
    }
    return IMG_ERR_NONE;
}

std::uint32_t BmpPaletteEntries(const BmpHeader& header) {
    if (header.bitCount > 8) {
        return 0;
    }
    std::uint32_t entries = header.colorsUsed;
    if (entries == 0) {
        entries = 1u << header.bitCount;
    }
    return entries > 256 ? 256 : entries;
}

int BmpReadPalette(ImgStream* stream, const BmpHeader& header, BmpPalette& palette) {
    std::memset(palette, 0, sizeof palette);
    const std::uint32_t entries = BmpPaletteEntries(header);
    if (entries == 0) {
        return IMG_ERR_NONE;
    }
    // The palette follows the header as long as the file says it is; a
    // 40-byte header of a bit-field file is followed by the masks first.
    std::uint64_t position = std::uint64_t{kBmpFileHeaderBytes} + header.headerSize;
    if (header.headerSize == kBmpInfoHeaderBytes && header.compression == kBmpBitFields) {
        position += 12;
    }
    if (!ImgStreamSeekTo(stream, position) ||
        !ImgStreamReadExact(stream, palette, std::size_t{entries} * 4)) {
        return IMG_ERR_READ;
    }
    for (std::uint32_t i = entries; i < 256; ++i) {
        std::memcpy(palette + i * 4, palette, 4);
    }
    return IMG_ERR_NONE;
}

int BmpSeekToPixels(ImgStream* stream, const BmpHeader& header, bool backwardsIsError) {
    const std::int64_t here = ImgStreamTell(stream);
    const std::int64_t length = ImgStreamLength(stream);
    if (here < 0 || length < 0 || header.pixelOffset > static_cast<std::uint64_t>(length)) {
        return IMG_ERR_BADBMP;
    }
    if (header.pixelOffset < static_cast<std::uint64_t>(here) && backwardsIsError) {
        return IMG_ERR_BADBMP;
    }
    return ImgStreamSeekTo(stream, header.pixelOffset) ? IMG_ERR_NONE : IMG_ERR_BADBMP;
}

std::uint64_t BmpStoredRowBytes(std::int64_t width, int bitCount) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return ((bits + 7) / 8 + 3) / 4 * 4;
}
