#include "plat/DiskFile.h"

#include "plat/ErrorStack.h"
#include "plat/FileSpecImp.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace plat {

namespace {

bool PushNotOpen(int message) {
    return ErrorStateStack::Get().Push(ErrNotOpen, SeverityError, StandardMessageText(message));
}

bool PushWithReason(std::uint32_t code, int message, int error) {
    return ErrorStateStack::Get().PushFormat(code, StandardMessageText(message),
                                             std::strerror(error));
}

} // namespace

DiskFile::~DiskFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    std::free(lineBuffer_);
}

bool DiskFile::PushWriteError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorStateStack::Get().Push(ErrAccessDenied, SeverityError,
                                           StandardMessageText(MsgWriteAccessDenied));
    case ENOSPC:
    case EDQUOT:
        return ErrorStateStack::Get().Push(ErrDiskFull, SeverityError,
                                           StandardMessageText(MsgDiskFull));
    default:
        return PushWithReason(ErrWrite, MsgWriteProblem, error);
    }
}

bool DiskFile::Open(const FileSpec& path, unsigned mode) {
    if (IsOpen()) {
        return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError,
                                           StandardMessageText(MsgAlreadyOpen));
    }
    if (path.Path().IsEmpty()) {
        return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError,
                                           StandardMessageText(MsgEmptyFilename));
    }
    path_ = path;
    return Open(mode);
}

bool DiskFile::Open(unsigned mode) {
    if (IsOpen()) {
        return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError,
                                           StandardMessageText(MsgAlreadyOpen));
    }
    if (path_.Path().IsEmpty()) {
        return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError,
                                           StandardMessageText(MsgEmptyFilename));
    }
    String modeText;
    if (mode & AppendMode) {
        modeText.Assign("a");
    } else if (mode & ReadMode) {
        modeText.Assign("r");
    } else if (mode & WriteMode) {
        modeText.Assign("w");
    } else {
        return ErrorStateStack::Get().PushFormat(ErrCannotOpen,
                                                 StandardMessageText(MsgCouldNotOpen),
                                                 path_.Path().c_str(), "no access mode was given");
    }
    if (!(mode & TextMode)) {
        modeText.Append('b');
    }
    if (mode & AppendMode) {
        modeText.Append('+');
    }
    int error = 0;
    stream_ = FileSpecImp::Get().OpenStream(path_.Path(), modeText.c_str(), error);
    if (stream_ == nullptr) {
        return ErrorStateStack::Get().PushFormat(ErrCannotOpen,
                                                 StandardMessageText(MsgCouldNotOpen),
                                                 path_.Path().c_str(), std::strerror(error));
    }
    return true;
}

bool DiskFile::Close() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    return true;
}

bool DiskFile::Read(void* buffer, std::size_t count, std::size_t* done) {
    if (!IsOpen()) {
        return PushNotOpen(MsgReadNotOpen);
    }
    const std::size_t got = count ? std::fread(buffer, 1, count, stream_) : 0;
    if (done != nullptr) {
        *done = got;
    }
    if (got == count) {
        return true;
    }
    if (std::feof(stream_)) {
        return ErrorStateStack::Get().Push(ErrEndOfFile, SeverityError,
                                           StandardMessageText(MsgReadEndOfFile));
    }
    return PushWithReason(ErrRead, MsgReadProblem, errno);
}

bool DiskFile::Write(const void* buffer, std::size_t count, std::size_t* done) {
    if (!IsOpen()) {
        return PushNotOpen(MsgWriteNotOpen);
    }
    errno = 0;
    const std::size_t put = count ? std::fwrite(buffer, 1, count, stream_) : 0;
    if (done != nullptr) {
        *done = put;
    }
    if (put == count) {
        return true;
    }
    return PushWriteError(errno != 0 ? errno : EIO);
}

bool DiskFile::Seek(std::uint64_t position) {
    if (!IsOpen()) {
        return PushNotOpen(MsgAccessNotOpen);
    }
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ||
        fseeko(stream_, static_cast<off_t>(position), SEEK_SET) != 0) {
        return PushWithReason(ErrSeek, MsgAccessProblem, errno ? errno : EINVAL);
    }
    return true;
}

bool DiskFile::SeekFromEnd(std::int64_t offset) {
    return SeekFrom(offset, SEEK_END);
}

bool DiskFile::SeekRelative(std::int64_t offset) {
    return SeekFrom(offset, SEEK_CUR);
}

bool DiskFile::SeekFrom(std::int64_t offset, int origin) {
    if (!IsOpen()) {
        return PushNotOpen(MsgAccessNotOpen);
    }
    if (fseeko(stream_, static_cast<off_t>(offset), origin) != 0) {
        return PushWithReason(ErrSeek, MsgAccessProblem, errno);
    }
    return true;
}

bool DiskFile::Tell(std::uint64_t& position) {
    if (!IsOpen()) {
        return PushNotOpen(MsgAccessNotOpen);
    }
    const off_t at = ftello(stream_);
    if (at < 0) {
        return PushWithReason(ErrTell, MsgAccessProblem, errno);
    }
    position = static_cast<std::uint64_t>(at);
    return true;
}

bool DiskFile::IsEOF() const {
    return stream_ != nullptr && std::feof(stream_) != 0;
}

bool DiskFile::ReadLine(String& line) {
    if (!IsOpen()) {
        return PushNotOpen(MsgAccessNotOpen);
    }
    if (std::feof(stream_)) {
        return ErrorStateStack::Get().Push(ErrEndOfFile, SeverityError,
                                           StandardMessageText(MsgReadEndOfFile));
    }
    // A line ends at LF only, however long it is; the C library grows the
    // buffer, so where its reads happen to stop has no bearing on the line.
    errno = 0;
    const ssize_t length = ::getline(&lineBuffer_, &lineCapacity_, stream_);
    if (length < 0) {
        if (std::ferror(stream_)) {
            return PushWithReason(ErrRead, MsgReadProblem, errno ? errno : EIO);
        }
        line.Empty();
        return true; // at the very end: an empty last line
    }
    std::size_t end = static_cast<std::size_t>(length);
    while (end > 0 && (lineBuffer_[end - 1] == '\r' || lineBuffer_[end - 1] == '\n')) {
        --end;
    }
    line.Empty();
    line.AppendBytes(lineBuffer_, end);
    return true;
}

ReplacingFile::~ReplacingFile() {
    Close();
}

bool ReplacingFile::Open(const FileSpec& path) {
    if (IsOpen()) {
        return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError,
                                           StandardMessageText(MsgAlreadyOpen));
    }
    if (path.Path().IsEmpty()) {
        return ErrorStateStack::Get().Push(ErrCannotOpen, SeverityError,
                                           StandardMessageText(MsgEmptyFilename));
    }
    path_ = path;
    int error = 0;
    stream_ = FileSpecImp::Get().CreateTemporary(path_.Path(), tempPath_, error);
    if (stream_ == nullptr && (error == ENOSPC || error == EDQUOT)) {
        // No room even for an empty file: the user can do something about
        // that, as about any other full disk.
        return PushWriteError(error);
    }
    if (stream_ == nullptr) {
        return ErrorStateStack::Get().PushFormat(ErrCannotOpen,
                                                 StandardMessageText(MsgCouldNotOpen),
                                                 path_.Path().c_str(), std::strerror(error));
    }
    failed_ = false;
    return true;
}

bool ReplacingFile::Open(unsigned mode) {
    if (mode != WriteMode) {
        return ErrorStateStack::Get().PushFormat(
            ErrCannotOpen, StandardMessageText(MsgCouldNotOpen), path_.Path().c_str(),
            "a replacement can only be written");
    }
    return Open(FileSpec(path_));
}

bool ReplacingFile::Close() {
    if (stream_ != nullptr) {
        FileSpecImp::Get().DiscardTemporary(stream_, tempPath_);
        stream_ = nullptr;
    }
    return true;
}

bool ReplacingFile::Write(const void* buffer, std::size_t count, std::size_t* done) {
    if (!DiskFile::Write(buffer, count, done)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (!IsOpen()) {
        return PushNotOpen(MsgWriteNotOpen);
    }
    if (failed_) {
        // The write that failed has already said why; keep that on top.
        Close();
        return false;
    }
    std::FILE* stream = stream_;
    stream_ = nullptr;
    const int error = FileSpecImp::Get().CommitTemporary(stream, tempPath_, path_.Path(), written_);
    if (error != 0) {
        return PushWriteError(error);
    }
    // The new file is in place and reads back whole; a folder that cannot
    // be synced only makes the rename less certain to outlive a power cut,
    // and reporting that as a failed save would have the user save again
    // into the same folder for nothing.
    FileSpecImp::Get().SyncFolderOf(path_.Path());
    return true;
}

} // namespace plat
