#pragma once

#include "plat/File.h"
#include "plat/FileSpec.h"
#include "plat/FileSpecImp.h"

#include <cstdio>

namespace plat {

// A file on disk over a C stream.
class DiskFile : public File {
public:
    DiskFile() = default;
    ~DiskFile() override;

    bool Open(const FileSpec& path, unsigned mode);
    bool Open(unsigned mode) override;
    bool Close() override;
    bool IsOpen() const override { return stream_ != nullptr; }
    bool Read(void* buffer, std::size_t count, std::size_t* done) override;
    bool Write(const void* buffer, std::size_t count, std::size_t* done) override;
    bool Seek(std::uint64_t position) override;
    bool SeekFromEnd(std::int64_t offset) override;
    bool SeekRelative(std::int64_t offset) override;
    bool Tell(std::uint64_t& position) override;
    bool IsEOF() const override;
    bool ReadLine(String& line) override;

    const FileSpec& Path() const { return path_; }

protected:
    // Pushes the write failure that matches an errno value.
    static bool PushWriteError(int error);

    FileSpec path_;
    std::FILE* stream_ = nullptr;

private:
    // Seek with an fseeko origin (SEEK_END, SEEK_CUR).
    bool SeekFrom(std::int64_t offset, int origin);
    char* lineBuffer_ = nullptr; // reused from line to line
    std::size_t lineCapacity_ = 0;
};

// Writes a new version of a file without ever touching the old one until
// the new one is complete and on disk: the text goes to a private temporary
// file beside the target, and Commit renames it over the target. Closing or
// destroying it without a successful Commit leaves the target as it was.
class ReplacingFile : public DiskFile {
public:
    ~ReplacingFile() override;

    // Starts a replacement of the file at path; the file itself is not opened.
    bool Open(const FileSpec& path);
    bool Open(unsigned mode) override;
    bool Close() override;
    bool Write(const void* buffer, std::size_t count, std::size_t* done) override;
    // Flushes, syncs and renames into place. False (with the reason on the
    // error stack) leaves the old file byte for byte as it was.
    bool Commit();
    // After a Commit: the stamp of the file now in place.
    const FileStamp& Written() const { return written_; }

private:
    String tempPath_;
    FileStamp written_;
    bool failed_ = false;
};

} // namespace plat
