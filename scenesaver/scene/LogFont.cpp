#include "scene/LogFont.h"

#include <algorithm>
#include <cstring>

namespace {
void PutI32(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

std::int32_t GetI32(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}
} // namespace

std::string_view FaceName(const LOGFONTA& font) {
    const auto end = std::find(font.lfFaceName.begin(), font.lfFaceName.end(), '\0');
    return {font.lfFaceName.data(), static_cast<std::size_t>(end - font.lfFaceName.begin())};
}

void SetFaceName(LOGFONTA& font, std::string_view name) {
    font.lfFaceName.fill('\0');
    const std::size_t count = std::min(name.size(), font.lfFaceName.size() - 1);
    std::copy_n(name.begin(), count, font.lfFaceName.begin());
}

LOGFONTA DefaultPictureFont() {
    LOGFONTA font;
    font.lfHeight = -11;
    SetFaceName(font, "MS Sans Serif");
    return font;
}

std::array<std::uint8_t, LOGFONTA_STORED_SIZE> EncodeLogFont(const LOGFONTA& font) {
    std::array<std::uint8_t, LOGFONTA_STORED_SIZE> out{};
    PutI32(&out[0], font.lfHeight);
    PutI32(&out[4], font.lfWidth);
    PutI32(&out[8], font.lfEscapement);
    PutI32(&out[12], font.lfOrientation);
    PutI32(&out[16], font.lfWeight);
    const std::uint8_t bytes[8] = {font.lfItalic,  font.lfUnderline,     font.lfStrikeOut,
                                   font.lfCharSet, font.lfOutPrecision,  font.lfClipPrecision,
                                   font.lfQuality, font.lfPitchAndFamily};
    std::memcpy(&out[20], bytes, sizeof bytes);
    std::memcpy(&out[28], font.lfFaceName.data(), font.lfFaceName.size());
    return out;
}

LOGFONTA DecodeLogFont(const std::array<std::uint8_t, LOGFONTA_STORED_SIZE>& in) {
    LOGFONTA font;
    font.lfHeight = GetI32(&in[0]);
    font.lfWidth = GetI32(&in[4]);
    font.lfEscapement = GetI32(&in[8]);
    font.lfOrientation = GetI32(&in[12]);
    font.lfWeight = GetI32(&in[16]);
    font.lfItalic = in[20];
    font.lfUnderline = in[21];
    font.lfStrikeOut = in[22];
    font.lfCharSet = in[23];
    font.lfOutPrecision = in[24];
    font.lfClipPrecision = in[25];
    font.lfQuality = in[26];
    font.lfPitchAndFamily = in[27];
    std::memcpy(font.lfFaceName.data(), &in[28], font.lfFaceName.size());
    return font;
}
