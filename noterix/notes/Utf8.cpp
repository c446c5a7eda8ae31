#include "notes/Utf8.h"

namespace {

// Length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t SequenceLength(const plat::String& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.Length() - at < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[at + i]);
        if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

} // namespace

bool IsValidUtf8(const plat::String& text) {
    for (std::size_t at = 0; at < text.Length();) {
        const std::size_t length = SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::size_t CharacterCount(const plat::String& text) {
    if (!IsValidUtf8(text)) {
        return text.Length();
    }
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.Length(); at += SequenceLength(text, at)) {
        ++count;
    }
    return count;
}

std::size_t CharacterPrefixBytes(const plat::String& text, std::size_t count) {
    if (!IsValidUtf8(text)) {
        return count < text.Length() ? count : text.Length();
    }
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < text.Length(); ++n) {
        at += SequenceLength(text, at);
    }
    return at;
}
