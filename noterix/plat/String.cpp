#include "plat/String.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace plat {

namespace {
// ASCII folding, as the C library's tolower does in the "C" locale, without
// a call per character.
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
} // namespace

String::String(const String& other) {
    Assign(other);
}

String::String(String&& other) noexcept
    : data_(std::move(other.data_)), capacity_(other.capacity_), length_(other.length_) {
    other.capacity_ = 0;
    other.length_ = 0;
}

String::String(const char* text) {
    Assign(text);
}

String::String(std::size_t count, char c) {
    Grow(count, true);
    std::memset(data_.get(), c, count);
    length_ = count;
    data_[length_] = '\0';
    if (c == '\0') {
        length_ = 0;
    }
}

String& String::operator=(const String& other) {
    if (this != &other) {
        Assign(other);
    }
    return *this;
}

String& String::operator=(String&& other) noexcept {
    data_ = std::move(other.data_);
    capacity_ = other.capacity_;
    length_ = other.length_;
    other.capacity_ = 0;
    other.length_ = 0;
    return *this;
}

String& String::operator=(const char* text) {
    Assign(text);
    return *this;
}

void String::Grow(std::size_t needed, bool exact) {
    // needed counts text bytes; the buffer also holds the terminating NUL.
    if (needed < capacity_) {
        return;
    }
    std::size_t capacity = needed + 1;
    if (!exact) {
        capacity = std::max(capacity, capacity_ + capacity_ / 2);
    }
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    if (data_) {
        std::memcpy(buffer.get(), data_.get(), length_ + 1);
    } else {
        buffer[0] = '\0';
    }
    buffer[capacity - 1] = '\0';
    data_ = std::move(buffer);
    capacity_ = capacity;
}

void String::Assign(const char* bytes, std::size_t count) {
    if (bytes == nullptr) {
        Empty();
        return;
    }
    if (bytes >= c_str() && bytes < c_str() + capacity_) {
        // Assigning a part of ourselves: go through a copy.
        String copy;
        copy.Assign(bytes, count);
        *this = std::move(copy);
        return;
    }
    Grow(count, true);
    std::memcpy(data_.get(), bytes, count);
    length_ = count;
    data_[length_] = '\0';
}

void String::Assign(const char* text) {
    if (text == nullptr) {
        Empty();
        return;
    }
    Assign(text, std::strlen(text));
}

void String::Assign(const String& other) {
    if (!other.data_) {
        Empty();
        return;
    }
    Assign(other.c_str(), other.length_);
}

void String::Append(const char* text) {
    if (text == nullptr) {
        return;
    }
    const std::size_t count = std::strlen(text);
    if (data_ && text >= data_.get() && text < data_.get() + capacity_) {
        String copy(text); // a part of ourselves would move under us
        Append(copy);
        return;
    }
    Grow(length_ + count, false);
    std::memcpy(data_.get() + length_, text, count + 1);
    length_ += count;
}

void String::Append(const String& other) {
    if (other.length_ == 0) {
        return;
    }
    if (&other == this) {
        String copy(other);
        Append(copy);
        return;
    }
    Grow(length_ + other.length_, false);
    std::memcpy(data_.get() + length_, other.data_.get(), other.length_ + 1);
    length_ += other.length_;
}

void String::Append(char c) {
    Grow(length_ + 1, false);
    data_[length_] = c;
    if (c != '\0') {
        ++length_;
    }
    data_[length_] = '\0';
}

void String::AppendBytes(const char* bytes, std::size_t count) {
    if (bytes == nullptr || count == 0) {
        return;
    }
    const std::size_t start = length_;
    Grow(length_ + count, false);
    std::memmove(data_.get() + start, bytes, count);
    data_[start + count] = '\0';
    length_ = start + std::strlen(data_.get() + start);
}

void String::Empty() {
    length_ = 0;
    if (data_) {
        data_[0] = '\0';
    }
}

void String::Reserve(std::size_t count) {
    Grow(count, true);
}

void String::Truncate(std::size_t count) {
    if (count < length_) {
        length_ = count;
        data_[length_] = '\0';
    }
}

void String::SetAt(std::size_t index, char c) {
    // Only the text itself can be changed; a NUL cuts it short there.
    if (index >= length_) {
        return;
    }
    data_[index] = c;
    if (c == '\0') {
        length_ = index;
    }
}

String String::Left(std::size_t count) const {
    String result;
    result.Assign(c_str(), std::min(count, length_));
    return result;
}

String String::Right(std::size_t count) const {
    const std::size_t n = std::min(count, length_);
    String result;
    result.Assign(c_str() + (length_ - n), n);
    return result;
}

String String::Mid(std::size_t start) const {
    if (start >= length_) {
        return String("");
    }
    return Mid(start, length_ - start);
}

String String::Mid(std::size_t start, std::size_t count) const {
    String result;
    if (start >= length_) {
        result.Assign("");
        return result;
    }
    result.Assign(c_str() + start, std::min(count, length_ - start));
    return result;
}

bool String::Find(char c, std::size_t& position) const {
    const void* hit = length_ ? std::memchr(data_.get(), c, length_) : nullptr;
    if (hit == nullptr) {
        return false;
    }
    position = static_cast<std::size_t>(static_cast<const char*>(hit) - data_.get());
    return true;
}

bool String::ReverseFind(char c, std::size_t& position) const {
    for (std::size_t i = length_; i > 0; --i) {
        if (data_[i - 1] == c) {
            position = i - 1;
            return true;
        }
    }
    return false;
}

bool String::Find(const char* text, std::size_t& position) const {
    if (text == nullptr || !data_) {
        return false;
    }
    const char* hit = std::strstr(data_.get(), text);
    if (hit == nullptr) {
        return false;
    }
    position = static_cast<std::size_t>(hit - data_.get());
    return true;
}

void String::Replace(char from, char to) {
    for (std::size_t i = 0; i < length_; ++i) {
        if (data_[i] == from) {
            data_[i] = to;
        }
    }
    if (to == '\0') {
        length_ = data_ ? std::strlen(data_.get()) : 0;
    }
}

void String::RemoveTrailing(char c) {
    if (length_ > 0 && data_[length_ - 1] == c) {
        Truncate(length_ - 1);
    }
}

void String::Trim() {
    std::size_t end = length_;
    while (end > 0 && IsSpace(data_[end - 1])) {
        --end;
    }
    std::size_t start = 0;
    while (start < end && IsSpace(data_[start])) {
        ++start;
    }
    if (start == 0) {
        Truncate(end);
        return;
    }
    std::memmove(data_.get(), data_.get() + start, end - start);
    length_ = end - start;
    data_[length_] = '\0';
}

bool String::EqualsNoCase(const char* text) const {
    const char* other = text ? text : "";
    const std::size_t otherLength = std::strlen(other);
    if (otherLength != length_) {
        return false;
    }
    for (std::size_t i = 0; i < length_; ++i) {
        if (Lower(data_[i]) != Lower(other[i])) {
            return false;
        }
    }
    return true;
}

bool String::EqualsNoCase(const String& other) const {
    if (other.length_ != length_) {
        return false;
    }
    for (std::size_t i = 0; i < length_; ++i) {
        if (Lower(data_[i]) != Lower(other.data_[i])) {
            return false;
        }
    }
    return true;
}

bool String::StartsWithNoCase(const char* text) const {
    if (!data_ || text == nullptr) {
        return false;
    }
    const std::size_t n = std::strlen(text);
    if (n > length_) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (Lower(data_[i]) != Lower(text[i])) {
            return false;
        }
    }
    return true;
}

bool String::Equals(const char* text) const {
    return std::strcmp(c_str(), text ? text : "") == 0 && std::strlen(c_str()) == length_;
}

bool String::operator==(const String& other) const {
    return length_ == other.length_ && std::memcmp(c_str(), other.c_str(), length_) == 0;
}

bool String::Format(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const bool ok = FormatV(format, arguments);
    va_end(arguments);
    return ok;
}

bool String::FormatV(const char* format, std::va_list arguments) {
    // Most texts fit a small buffer; longer ones are measured and made whole.
    char small[256];
    std::va_list first;
    va_copy(first, arguments);
    const int needed = std::vsnprintf(small, sizeof small, format, first);
    va_end(first);
    if (needed < 0) {
        Empty();
        return false;
    }
    if (static_cast<std::size_t>(needed) < sizeof small) {
        Assign(small, std::strlen(small)); // a %c of NUL cuts the text there, as in C
        return true;
    }
    auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(buffer.get(), static_cast<std::size_t>(needed) + 1, format, arguments);
    Assign(buffer.get(), std::strlen(buffer.get()));
    return true;
}

String operator+(const String& left, const char* right) {
    String result(left);
    result.Append(right);
    return result;
}

String operator+(const char* left, const String& right) {
    String result(left);
    result.Append(right);
    return result;
}

String operator+(const String& left, const String& right) {
    String result(left);
    result.Append(right);
    return result;
}

} // namespace plat
