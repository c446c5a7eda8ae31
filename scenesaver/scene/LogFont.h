#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// A font description in the form scene data stores it: 60 bytes, five 32-bit
// numbers, eight single bytes and a NUL-padded face name of 32 bytes.
struct LOGFONTA {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::array<char, 32> lfFaceName{};

    friend bool operator==(const LOGFONTA&, const LOGFONTA&) = default;
};

inline constexpr std::size_t LOGFONTA_STORED_SIZE = 60;

// The face name up to its first NUL.
std::string_view FaceName(const LOGFONTA& font);

// Stores name as the face name, cut to 31 characters so a NUL always ends it.
void SetFaceName(LOGFONTA& font, std::string_view name);

// The font a new text picture starts with.
LOGFONTA DefaultPictureFont();

// The 60 stored bytes, little-endian, and back.
std::array<std::uint8_t, LOGFONTA_STORED_SIZE> EncodeLogFont(const LOGFONTA& font);
LOGFONTA DecodeLogFont(const std::array<std::uint8_t, LOGFONTA_STORED_SIZE>& bytes);
