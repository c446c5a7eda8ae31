#pragma once

#include "plat/String.h"

#include <cstdint>

namespace plat {

// A cursor over a copy of a line of text, used by every line parser. Each
// operation moves the cursor only when it succeeds.
class TextScanner {
public:
    explicit TextScanner(const String& text) : text_(text) {}

    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
    char Next();
    bool AtEnd() const { return position_ >= text_.Length(); }
    std::size_t Position() const { return position_; }

    void SkipSpace();
    bool SkipIfIn(const char* set);
    bool SkipAllIn(const char* set);
    bool SkipCharIn(const String& set);
    bool ReadUntil(String& out, const char* delimiters, bool allowQuotes);
    bool ReadN(String& out, std::size_t count);
    // Decimal numbers saturate at the limits of their type instead of
    // wrapping, so an absurd value in a file cannot turn into a small one.
    bool ReadUnsigned(std::uint32_t& out);
    bool ReadSigned(std::int32_t& out);
    bool ReadHex(std::uint32_t& out, std::size_t digits);

private:
    bool InSet(const char* set) const;

    String text_;
    std::size_t position_ = 0;
};

} // namespace plat
