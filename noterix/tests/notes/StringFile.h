#pragma once

#include "plat/ErrorStack.h"
#include "plat/File.h"

#include <cstring>
#include <string>

// A writable file in memory that can be told to fail after so many bytes,
// for writer tests.
class StringFile : public plat::File {
public:
    std::string bytes;
    std::size_t failAfter = static_cast<std::size_t>(-1);

    bool Open(unsigned) override { return true; }
    bool Close() override { return true; }
    bool IsOpen() const override { return true; }
    bool Read(void*, std::size_t, std::size_t*) override { return false; }
    bool Write(const void* buffer, std::size_t count, std::size_t* done) override {
        if (bytes.size() + count > failAfter) {
            return plat::ErrorStateStack::Get().Push(plat::ErrDiskFull, plat::SeverityError,
                                                     "full");
        }
        bytes.append(static_cast<const char*>(buffer), count);
        if (done != nullptr) {
            *done = count;
        }
        return true;
    }
    bool Seek(std::uint64_t) override { return false; }
    bool SeekFromEnd(std::int64_t) override { return false; }
    bool SeekRelative(std::int64_t) override { return false; }
    bool Tell(std::uint64_t&) override { return false; }
    bool IsEOF() const override { return true; }
    bool ReadLine(plat::String&) override { return false; }
};
