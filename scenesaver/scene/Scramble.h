#pragma once

#include <cstdint>
#include <span>

// Labels, texts, fonts and embedded files are kept in scene data with every
// byte lowered by a shift that depends on the field's length, so that they do
// not show up as plain text in the executable.
constexpr std::uint8_t ScrambleShift(std::uint64_t length) {
    return static_cast<std::uint8_t>(length % 11 + 3);
}

inline void Unscramble(std::span<std::uint8_t> bytes) {
    const std::uint8_t shift = ScrambleShift(bytes.size());
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(byte + shift);
    }
}

inline void Unscramble(std::span<char> chars) {
    Unscramble(
        std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(chars.data()), chars.size()));
}
