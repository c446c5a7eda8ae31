#include "ByteWriter.h"

#include "scene/Scramble.h"

#include <bit>

void ByteWriter::U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void ByteWriter::F32(float value) {
    U32(std::bit_cast<std::uint32_t>(value));
}

void ByteWriter::LengthPrefix(std::uint64_t length) {
    if (length < 0xFF) {
        bytes.push_back(static_cast<std::uint8_t>(length));
        return;
    }
    bytes.push_back(0xFF);
    if (length < 0xFFFE) {
        bytes.push_back(static_cast<std::uint8_t>(length));
        bytes.push_back(static_cast<std::uint8_t>(length >> 8));
        return;
    }
    bytes.push_back(0xFF);
    bytes.push_back(0xFF);
    U32(static_cast<std::uint32_t>(length));
}

void ByteWriter::String(const std::string& text) {
    LengthPrefix(text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
}

void ByteWriter::ScrambledString(const std::string& text) {
    LengthPrefix(text.size());
    ScrambledBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void ByteWriter::ScrambledFont(const LOGFONTA& font) {
    const auto plain = EncodeLogFont(font);
    ScrambledBytes(plain);
}

void ByteWriter::ScrambledBytes(std::span<const std::uint8_t> data) {
    const std::uint8_t shift = ScrambleShift(data.size());
    for (std::uint8_t byte : data) {
        bytes.push_back(static_cast<std::uint8_t>(byte - shift));
    }
}
