#include "plat/File.h"

#include "plat/ErrorStack.h"

#include <cstring>

namespace plat {

bool File::GetSize(std::uint64_t* size) {
    if (!IsOpen()) {
        return ErrorStateStack::Get().Push(ErrNotOpen, SeverityError,
                                           "File::GetSize called for non-open file");
    }
    if (size == nullptr) {
        return true;
    }
    std::uint64_t remembered = 0;
    if (!Tell(remembered) || !SeekFromEnd(0) || !Tell(*size)) {
        return false;
    }
    return Seek(remembered);
}

bool File::WriteLine(const char* text) {
    const char* line = text ? text : "";
    return Write(line, std::strlen(line), nullptr) && Write("\r\n", 2, nullptr);
}

bool File::WriteLine(const String& text) {
    return Write(text.c_str(), text.Length(), nullptr) && Write("\r\n", 2, nullptr);
}

bool File::WriteChar(char c) {
    return Write(&c, 1, nullptr);
}

} // namespace plat
