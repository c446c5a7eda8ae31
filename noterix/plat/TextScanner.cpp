#include "plat/TextScanner.h"

#include "plat/HexDigit.h"

#include <cctype>
#include <cstring>
#include <limits>

namespace plat {

char TextScanner::Next() {
    if (AtEnd()) {
        return '\0';
    }
    return text_[position_++];
}

bool TextScanner::InSet(const char* set) const {
    if (AtEnd() || set == nullptr) {
        return false;
    }
    const char c = text_[position_];
    return c != '\0' && std::strchr(set, c) != nullptr;
}

void TextScanner::SkipSpace() {
    while (!AtEnd() && std::isspace(static_cast<unsigned char>(text_[position_])) != 0) {
        ++position_;
    }
}

bool TextScanner::SkipIfIn(const char* set) {
    if (!InSet(set)) {
        return false;
    }
    ++position_;
    return true;
}

bool TextScanner::SkipAllIn(const char* set) {
    bool skipped = false;
    while (SkipIfIn(set)) {
        skipped = true;
    }
    return skipped;
}

bool TextScanner::SkipCharIn(const String& set) {
    return SkipIfIn(set.c_str());
}

bool TextScanner::ReadUntil(String& out, const char* delimiters, bool allowQuotes) {
    if (AtEnd() || InSet(delimiters)) {
        return false;
    }
    out.Empty();
    if (allowQuotes && text_[position_] == '"') {
        std::size_t end = position_ + 1;
        while (end < text_.Length() && text_[end] != '"') {
            ++end;
        }
        out.Assign(text_.c_str() + position_ + 1, end - position_ - 1);
        position_ = end < text_.Length() ? end + 1 : end;
        return true;
    }
    std::size_t end = position_;
    while (end < text_.Length() &&
           (delimiters == nullptr || std::strchr(delimiters, text_[end]) == nullptr ||
            text_[end] == '\0')) {
        ++end;
    }
    out.Assign(text_.c_str() + position_, end - position_);
    position_ = end;
    return true;
}

bool TextScanner::ReadN(String& out, std::size_t count) {
    if (text_.Length() - position_ < count || position_ > text_.Length()) {
        return false;
    }
    out.Assign(text_.c_str() + position_, count);
    position_ += count;
    return true;
}

bool TextScanner::ReadUnsigned(std::uint32_t& out) {
    std::size_t end = position_;
    std::uint64_t value = 0;
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    while (end < text_.Length() && std::isdigit(static_cast<unsigned char>(text_[end])) != 0) {
        value = value * 10 + static_cast<std::uint64_t>(text_[end] - '0');
        if (value > limit) {
            value = limit + 1; // stays above the limit, never wraps
        }
        ++end;
    }
    if (end == position_) {
        return false;
    }
    out = static_cast<std::uint32_t>(value > limit ? limit : value);
    position_ = end;
    return true;
}

bool TextScanner::ReadSigned(std::int32_t& out) {
    const std::size_t start = position_;
    SkipSpace();
    bool negative = false;
    if (Peek() == '+' || Peek() == '-') {
        negative = Next() == '-';
        SkipSpace();
    }
    std::uint32_t magnitude = 0;
    if (!ReadUnsigned(magnitude)) {
        position_ = start;
        return false;
    }
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    std::int64_t value = static_cast<std::int64_t>(magnitude);
    if (value > limit) {
        value = limit;
    }
    out = static_cast<std::int32_t>(negative ? -value : value);
    return true;
}

bool TextScanner::ReadHex(std::uint32_t& out, std::size_t digits) {
    if (position_ > text_.Length() || text_.Length() - position_ < digits) {
        return false;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text_[position_ + i];
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
        value &= 0xFFFFFFFFu;
    }
    out = static_cast<std::uint32_t>(value);
    position_ += digits;
    return true;
}

} // namespace plat
