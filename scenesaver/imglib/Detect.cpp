#include "imglib/Detect.h"

#include "imglib/ImgTypes.h"
#include "imglib/Stream.h"
#include "imglib/ThreadState.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <strings.h>

namespace {
constexpr std::size_t kHeaderBytes = 44;

struct Signature {
    int id;
    int offset;
    int length;
    const std::uint8_t* bytes;
};

constexpr std::uint8_t kBm[] = {0x42, 0x4D};
constexpr std::uint8_t kPax[] = {0x50, 0x41, 0x58};
constexpr std::uint8_t kGif89[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61};
constexpr std::uint8_t kGif87[] = {0x47, 0x49, 0x46, 0x38, 0x37, 0x61};
constexpr std::uint8_t kJfif[] = {0xFF, 0xD8, 0xFF, 0xE0};
constexpr std::uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF};
constexpr std::uint8_t kPcx0[] = {0x0A, 0x00};
constexpr std::uint8_t kPcx2[] = {0x0A, 0x02};
constexpr std::uint8_t kPcx3[] = {0x0A, 0x03};
constexpr std::uint8_t kPcx5[] = {0x0A, 0x05};
constexpr std::uint8_t kTiffMotorola[] = {0x4D, 0x4D};
constexpr std::uint8_t kTiffIntel[] = {0x49, 0x49};
constexpr std::uint8_t kPng[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t kWmf[] = {0x01, 0x00, 0x09, 0x00, 0x00};
constexpr std::uint8_t kWmfPlaceable[] = {0xD7, 0xCD, 0xC6, 0x9A};
constexpr std::uint8_t kEmf[] = {0x20, 0x45, 0x4D, 0x46};
constexpr std::uint8_t kPsd[] = {0x38, 0x42, 0x50, 0x53};
constexpr std::uint8_t kTla1[] = {0x54, 0x4C, 0x41, 0x01};
constexpr std::uint8_t kTlau[] = {0x54, 0x4C, 0x41, 0x55};
constexpr std::uint8_t kWbmp[] = {0x00, 0x00};

// Scanned in order; the first match decides. Targa has no signature and is
// reached only through the file name.
constexpr std::array<Signature, 21> kSignatures{{
    {IMG_FMT_BMP, 0, 2, kBm},
    {IMG_FMT_PAX, 0, 3, kPax},
    {IMG_FMT_GIF, 0, 6, kGif89},
    {IMG_FMT_GIF, 0, 6, kGif87},
    {IMG_FMT_JPEG, 0, 4, kJfif},
    {IMG_FMT_JPEG, 0, 3, kJpeg},
    {IMG_FMT_PCX, 0, 2, kPcx0},
    {IMG_FMT_PCX, 0, 2, kPcx2},
    {IMG_FMT_PCX, 0, 2, kPcx3},
    {IMG_FMT_PCX, 0, 2, kPcx5},
    {IMG_FMT_TIFF, 0, 2, kTiffMotorola},
    {IMG_FMT_TIFF, 0, 2, kTiffIntel},
    {IMG_FMT_PNG, 0, 8, kPng},
    {IMG_FMT_WMF, 0, 5, kWmf},
    {IMG_FMT_WMF, 0, 4, kWmfPlaceable},
    {IMG_FMT_EMF, 40, 4, kEmf},
    {IMG_FMT_PSD, 0, 4, kPsd},
    {IMG_FMT_TLA1, 0, 4, kTla1},
    {IMG_FMT_TLAU, 0, 4, kTlau},
    {IMG_FMT_WBMP, 0, 2, kWbmp},
    {IMG_FMT_TGA, 0, 0, nullptr},
}};

int MatchSignature(const std::uint8_t* header) {
    for (const Signature& entry : kSignatures) {
        if (entry.length <= 0) {
            continue;
        }
        if (std::memcmp(header + entry.offset, entry.bytes,
                        static_cast<std::size_t>(entry.length)) == 0) {
            return entry.id;
        }
    }
    return IMG_FMT_UNKNOWN;
}
} // namespace

int ImgFormatFromExtension(const char* fileName) {
    if (fileName == nullptr) {
        return IMG_FMT_UNKNOWN;
    }
    const char* dot = std::strrchr(fileName, '.');
    if (dot == nullptr) {
        return IMG_FMT_UNKNOWN;
    }
    if (strcasecmp(dot, ".wbmp") == 0 || strcasecmp(dot, ".wbm") == 0) {
        return IMG_FMT_WBMP;
    }
    if (strcasecmp(dot, ".tga") == 0) {
        return IMG_FMT_TGA;
    }
    return IMG_FMT_UNKNOWN;
}

int img_detect_format(ImgStream* stream) {
    if (!ImgCheckStream(stream)) {
        return IMG_FMT_UNKNOWN;
    }
    ImgSetError(IMG_ERR_NONE);
    std::uint8_t header[kHeaderBytes];
    if (!ImgStreamReadExact(stream, header, sizeof header)) {
        return IMG_FMT_UNKNOWN;
    }
    const int candidate = MatchSignature(header);
    if (candidate != IMG_FMT_UNKNOWN && candidate != IMG_FMT_WBMP) {
        return candidate;
    }
    // Only files read from disk have a name to consult.
    const char* name = stream->kind == ImgStream::kFile ? stream->fileName : nullptr;
    if (candidate == IMG_FMT_WBMP && ImgFormatFromExtension(name) == IMG_FMT_TGA) {
        return IMG_FMT_TGA;
    }
    return candidate;
}
