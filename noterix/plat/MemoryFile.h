#pragma once

#include "plat/File.h"

namespace plat {

// A read-only file over a block of memory that someone else owns.
class MemoryFile : public File {
public:
    MemoryFile() = default;
    ~MemoryFile() override;

    bool Create(const void* data, std::size_t size);
    bool CreateAndOpen(const void* data, std::size_t size, unsigned mode);

    bool Open(unsigned mode) override;
    bool Close() override;
    bool IsOpen() const override { return open_; }
    bool GetSize(std::uint64_t* size) override;
    bool Read(void* buffer, std::size_t count, std::size_t* done) override;
    bool Write(const void* buffer, std::size_t count, std::size_t* done) override;
    bool Seek(std::uint64_t position) override;
    bool SeekFromEnd(std::int64_t offset) override;
    bool SeekRelative(std::int64_t offset) override;
    bool Tell(std::uint64_t& position) override;
    bool IsEOF() const override { return position_ >= size_; }
    // Lines end at CR, LF, CR LF or LF CR, or at a NUL byte.
    bool ReadLine(String& line) override;

private:
    void Reset();
    bool PushSeekNotOpen() const;

    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    bool ownsData_ = false;
    bool open_ = false;
};

} // namespace plat
