#pragma once

#include <cstdarg>
#include <cstddef>
#include <memory>

namespace plat {

// An 8-bit string value. The text is never interpreted as any particular
// code page; comparisons that ignore case fold ASCII letters only.
//
// Sizes are std::size_t throughout so that very large notes cannot wrap a
// length, and the buffer grows geometrically so that appending line after
// line to a large text stays linear.
class String {
public:
    String() = default;
    String(const String& other);
    String(String&& other) noexcept;
    String(const char* text); // NOLINT(google-explicit-constructor): used like a literal
    String(std::size_t count, char c);
    ~String() = default;

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator=(const char* text);

    void Assign(const char* text);
    void Assign(const String& other);
    void Assign(const char* bytes, std::size_t count);

    void Append(const char* text);
    void Append(const String& other);
    void Append(char c);
    // Appends count bytes and then cuts the text at its first NUL.
    void AppendBytes(const char* bytes, std::size_t count);

    void Empty();
    void Reserve(std::size_t count);
    void Truncate(std::size_t count);
    void SetAt(std::size_t index, char c);

    String Left(std::size_t count) const;
    String Right(std::size_t count) const;
    String Mid(std::size_t start) const;
    String Mid(std::size_t start, std::size_t count) const;

    bool Find(char c, std::size_t& position) const;
    bool ReverseFind(char c, std::size_t& position) const;
    bool Find(const char* text, std::size_t& position) const;

    void Replace(char from, char to);
    void RemoveTrailing(char c);
    void Trim();

    bool EqualsNoCase(const char* text) const;
    bool EqualsNoCase(const String& other) const;
    bool StartsWithNoCase(const char* text) const;
    bool Equals(const char* text) const;
    bool operator==(const String& other) const;

    // printf-style formatting. The result is always the whole text: the
    // buffer is sized from a first measuring pass, never truncated.
    bool Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool FormatV(const char* format, std::va_list arguments);

    const char* c_str() const { return data_ ? data_.get() : ""; }
    std::size_t Length() const { return length_; }
    std::size_t Capacity() const { return capacity_; }
    bool IsEmpty() const { return length_ == 0; }
    bool HasData() const { return data_ != nullptr; }
    char operator[](std::size_t index) const { return index < length_ ? data_[index] : '\0'; }

private:
    void Grow(std::size_t needed, bool exact);

    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0; // bytes including the terminating NUL
    std::size_t length_ = 0;
};

String operator+(const String& left, const char* right);
String operator+(const char* left, const String& right);
String operator+(const String& left, const String& right);

} // namespace plat
