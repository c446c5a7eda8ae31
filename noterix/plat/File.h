#pragma once

#include "plat/String.h"

#include <cstddef>
#include <cstdint>

namespace plat {

// A file of any kind. Every failure pushes a record on the error stack and
// returns false.
class File {
public:
    enum Mode : unsigned { ReadMode = 1, WriteMode = 2, TextMode = 4, AppendMode = 8 };

    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    virtual ~File() = default;                                                        // slot 0
    virtual bool Open(unsigned mode) = 0;                                             // slot 1
    virtual bool Close() = 0;                                                         // slot 2
    virtual bool IsOpen() const { return false; }                                     // slot 3
    virtual bool GetSize(std::uint64_t* size);                                        // slot 4
    virtual bool Read(void* buffer, std::size_t count, std::size_t* done) = 0;        // slot 5
    virtual bool Write(const void* buffer, std::size_t count, std::size_t* done) = 0; // slot 6
    virtual bool Seek(std::uint64_t position) = 0;                                    // slot 7
    virtual bool SeekFromEnd(std::int64_t offset) = 0;                                // slot 8
    virtual bool SeekRelative(std::int64_t offset) = 0;                               // slot 9
    virtual bool Tell(std::uint64_t& position) = 0;                                   // slot 10
    virtual bool IsEOF() const = 0;                                                   // slot 11
    // One line without its line end; lines of any length come back whole.
    virtual bool ReadLine(String& line) = 0; // slot 12

    // The text followed by CR LF.
    bool WriteLine(const char* text);
    bool WriteLine(const String& text);
    bool WriteChar(char c);
};

} // namespace plat
