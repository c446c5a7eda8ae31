#include "notes/GuidText.h"

namespace {
constexpr char digits[] = "0123456789abcdef";

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 0; // not a hex digit: counts as 0
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
