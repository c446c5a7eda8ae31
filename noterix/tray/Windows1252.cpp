#include "tray/Windows1252.h"

#include <cstdint>

namespace {

// 0x80..0x9F; the five bytes the code page leaves unassigned keep their C1
// code points, as Windows itself converts them, so every byte has a character.
constexpr std::uint16_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(plat::String& out, std::uint32_t code) {
    if (code < 0x80) {
        out.Append(static_cast<char>(code));
    } else if (code < 0x800) {
        out.Append(static_cast<char>(0xC0 | (code >> 6)));
        out.Append(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.Append(static_cast<char>(0xE0 | (code >> 12)));
        out.Append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.Append(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

plat::String Windows1252ToUtf8(const plat::String& text) {
    plat::String out;
    out.Reserve(text.Length() * 2);
    for (std::size_t i = 0; i < text.Length(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? highControls[byte - 0x80] : byte);
    }
    return out;
}
