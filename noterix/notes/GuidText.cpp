#include "notes/GuidText.h"

#include "plat/HexDigit.h"

namespace {
constexpr char digits[] = "0123456789abcdef";

int DigitValue(char c) {
    const int value = plat::HexDigitValue(c);
    return value < 0 ? 0 : value; // not a hex digit: counts as 0
}
} // namespace

plat::String GuidToText(const plat::Guid& guid) {
    plat::String text;
    text.Reserve(32);
    for (int i = 15; i >= 0; --i) {
        const std::uint8_t byte = guid.Bytes()[static_cast<std::size_t>(i)];
        text.Append(digits[byte >> 4]);
        text.Append(digits[byte & 0x0F]);
    }
    return text;
}

plat::Guid GuidFromText(const plat::String& text) {
    plat::Guid guid;
    if (text.Length() < 32) {
        return guid;
    }
    for (std::size_t pair = 0; pair < 16; ++pair) {
        const int high = DigitValue(text[pair * 2]);
        const int low = DigitValue(text[pair * 2 + 1]);
        guid.Bytes()[15 - pair] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return guid;
}
