#pragma once

#include "scene/LogFont.h"
#include "scene/SceneValues.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Appends the scene block's encodings, little-endian, to a byte vector.
class ByteWriter {
public:
    std::vector<std::uint8_t> bytes;

    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Flag(BOOL value) { I32(value); }
    void F32(float value);
    void Point(const CPoint& point) {
        I32(point.x);
        I32(point.y);
    }
    // The shortest length prefix for 8-bit text, then the characters.
    void String(const std::string& text);
    void ScrambledString(const std::string& text);
    void ScrambledFont(const LOGFONTA& font);
    void ScrambledBytes(std::span<const std::uint8_t> data);

private:
    void LengthPrefix(std::uint64_t length);
};
