#include "plat/MemoryFile.h"

#include "plat/ErrorStack.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {
bool PushOpenError(const char* text) {
    return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError, text);
}
bool PushEnd(const char* text) {
    return ErrorStateStack::Get().Push(ErrEndOfFile, SeverityError, text);
}
bool PushReadNotOpen() {
    return ErrorStateStack::Get().Push(
        ErrNotOpen, SeverityError,
        "An attempt was made to read from a memory-based file that has not been opened.");
}
} // namespace

MemoryFile::~MemoryFile() {
    Reset();
}

void MemoryFile::Reset() {
    if (ownsData_) {
        delete[] data_;
    }
    data_ = nullptr;
    size_ = 0;
    position_ = 0;
    ownsData_ = false;
}

bool MemoryFile::Create(const void* data, std::size_t size) {
    if (data == nullptr) {
        return PushOpenError("Failed to create memory-based file.");
    }
    if (open_) {
        return PushOpenError("MemoryFile::Create - file is already open");
    }
    Reset();
    data_ = static_cast<const char*>(data);
    size_ = size;
    return true;
}

bool MemoryFile::CreateAndOpen(const void* data, std::size_t size, unsigned mode) {
    return Create(data, size) && Open(mode);
}

bool MemoryFile::Open(unsigned mode) {
    if (open_) {
        return PushOpenError("MemoryFile::Open - file is already open");
    }
    if (mode & WriteMode) {
        return PushOpenError("MemoryFile::Open - Memory Files are read-only");
    }
    if (data_ == nullptr) {
        return PushOpenError("MemoryFile::Open - You must call Create() before Open()");
    }
    position_ = 0;
    open_ = true;
    return true;
}

bool MemoryFile::Close() {
    open_ = false;
    return true;
}

bool MemoryFile::GetSize(std::uint64_t* size) {
    if (size != nullptr) {
        *size = size_;
    }
    return true;
}

bool MemoryFile::Read(void* buffer, std::size_t count, std::size_t* done) {
    if (!open_) {
        return PushReadNotOpen();
    }
    if (done != nullptr) {
        *done = 0;
    }
    if (position_ >= size_) {
        return PushEnd("End of file reached in memory-based file.");
    }
    const std::size_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    if (done != nullptr) {
        *done = n;
    }
    if (n < count) {
        return PushEnd("MemoryFile::Read() encountered EOF.");
    }
    return true;
}

bool MemoryFile::Write(const void*, std::size_t, std::size_t* done) {
    if (done != nullptr) {
        *done = 0;
    }
    return ErrorStateStack::Get().Push(ErrWrite, SeverityError,
                                       "MemoryFile::Write() not yet implemented!");
}

bool MemoryFile::PushSeekNotOpen() const {
    return ErrorStateStack::Get().Push(
        ErrNotOpen, SeverityError,
        "An attempt was made to seek in a memory-based file that has not been opened.");
}

bool MemoryFile::Seek(std::uint64_t position) {
    if (!open_) {
        return PushSeekNotOpen();
    }
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(position, size_));
    return true;
}

bool MemoryFile::SeekFromEnd(std::int64_t offset) {
    if (!open_) {
        return PushSeekNotOpen();
    }
    // The offset counts back from the end.
    const std::uint64_t back = offset < 0 ? 0 : static_cast<std::uint64_t>(offset);
    position_ = back > size_ ? 0 : size_ - static_cast<std::size_t>(back);
    return true;
}

bool MemoryFile::SeekRelative(std::int64_t offset) {
    if (!open_) {
        return PushSeekNotOpen();
    }
    if (offset < 0) {
        const std::uint64_t back = static_cast<std::uint64_t>(-(offset + 1)) + 1;
        position_ = back > position_ ? 0 : position_ - static_cast<std::size_t>(back);
    } else {
        const std::uint64_t ahead = static_cast<std::uint64_t>(offset);
        position_ = ahead > size_ - position_ ? size_ : position_ + static_cast<std::size_t>(ahead);
    }
    return true;
}

bool MemoryFile::Tell(std::uint64_t& position) {
    if (!open_) {
        return PushSeekNotOpen();
    }
    position = std::min(position_, size_);
    return true;
}

bool MemoryFile::ReadLine(String& line) {
    if (!open_) {
        return PushReadNotOpen();
    }
    if (position_ >= size_) {
        return PushEnd("End of file reached in memory-based file.");
    }
    std::size_t end = position_;
    while (end < size_ && data_[end] != '\0' && data_[end] != '\n' && data_[end] != '\r') {
        ++end;
    }
    line.Empty();
    line.Assign(data_ + position_, end - position_);
    position_ = end;
    if (position_ >= size_) {
        return true;
    }
    const char terminator = data_[position_++];
    if (position_ < size_ && terminator != '\0') {
        const char after = data_[position_];
        if ((after == '\n' || after == '\r') && after != terminator) {
            ++position_;
        }
    }
    return true;
}

} // namespace plat
