#include "plat/linux/Linux_FileSpecImp.h"

#include "plat/ErrorStack.h"
#include "plat/SystemError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

String FolderOf(const String& path) {
    std::size_t at = 0;
    if (!path.ReverseFind('/', at)) {
        return String(".");
    }
    return at == 0 ? String("/") : path.Left(at);
}

String NameOf(const String& path) {
    std::size_t at = 0;
    return path.ReverseFind('/', at) ? path.Mid(at + 1) : path;
}

// Makes the folder entry of a rename or a new file durable.
int SyncFolder(const String& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int result = 0;
    if (::fsync(fd) != 0 && errno != EINVAL) {
        result = errno;
    }
    ::close(fd);
    return result;
}

bool IsUsableFolder(const QString& folder) {
    struct stat info {};
    const QByteArray bytes = QFile::encodeName(folder);
    return !folder.isEmpty() && ::stat(bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Where a replacement must land: the file a symbolic link points to, so
// that a linked notes file stays linked (and its folder gets the temporary).
String ReplacementTarget(const String& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path; // a dangling link is replaced like a file
    }
    String target(resolved);
    std::free(resolved);
    return target;
}

FileStamp StampOf(const struct stat& info) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return stamp;
}

// A replacement may be shared as the old file was: it takes the old file's
// permissions; a file that is new stays private (the temporary's 0600).
int KeepModeOf(const String& target, int fd) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        return 0;
    }
    return ::fchmod(fd, old.st_mode & 0777) == 0 ? 0 : errno;
}

bool IsEarlier(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// The names mkostemp gives our temporaries: the prefix, then six letters
// or digits.
bool IsTemporaryName(const String& name, const String& prefix) {
    constexpr std::size_t randomPart = 6;
    if (name.Length() != prefix.Length() + randomPart || !(name.Left(prefix.Length()) == prefix)) {
        return false;
    }
    for (std::size_t i = prefix.Length(); i < name.Length(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

// When this process began, on the wall clock, from its start in clock ticks
// since boot; one tick early rather than late, so that nothing a running
// copy writes counts as older than it.
bool ProcessStartTime(timespec& out) {
    std::FILE* stat = std::fopen("/proc/self/stat", "re");
    if (stat == nullptr) {
        return false;
    }
    char buffer[1024];
    const std::size_t got = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[got] = '\0';
    // The command name may hold blanks and parentheses: count fields from
    // the last ")"; the start time is the 20th field after it.
    const char* at = std::strrchr(buffer, ')');
    if (at == nullptr) {
        return false;
    }
    for (int field = 0; field < 20 && at != nullptr; ++field) {
        at = std::strchr(at + 1, ' ');
    }
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (at == nullptr || ticksPerSecond <= 0) {
        return false;
    }
    const unsigned long long ticks = std::strtoull(at + 1, nullptr, 10);
    timespec boot{}, now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &boot) != 0 || ::clock_gettime(CLOCK_REALTIME, &now) != 0) {
        return false;
    }
    constexpr std::int64_t billion = 1000000000;
    const auto hz = static_cast<std::int64_t>(ticksPerSecond);
    const auto sinceBoot =
        static_cast<std::int64_t>(ticks / static_cast<unsigned long long>(hz)) * billion +
        static_cast<std::int64_t>(ticks % static_cast<unsigned long long>(hz)) * billion / hz;
    const std::int64_t start = (now.tv_sec - boot.tv_sec) * billion + (now.tv_nsec - boot.tv_nsec) +
                               sinceBoot - billion / hz;
    out.tv_sec = static_cast<time_t>(start / billion);
    out.tv_nsec = static_cast<long>(start % billion);
    if (out.tv_nsec < 0) {
        out.tv_nsec += billion;
        --out.tv_sec;
    }
    return true;
}

int CopyBytes(int from, int to) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) {
            return 0;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        ssize_t offset = 0;
        while (offset < got) {
            const ssize_t put =
                ::write(to, buffer.data() + offset, static_cast<std::size_t>(got - offset));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            offset += put;
        }
    }
}

} // namespace

int Linux_FileSpecImp::Exists(const String& path) {
    struct stat info {};
    if (path.IsEmpty() || ::stat(path.c_str(), &info) != 0) {
        return 0;
    }
    return S_ISDIR(info.st_mode) ? 2 : 1;
}

bool Linux_FileSpecImp::Move(const String& from, const String& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return PushSystemError(errno);
    }
    // File systems without the no-replace rename: a hard link fails when the
    // target exists, which gives the same guarantee.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return PushSystemError(errno);
    }
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return PushSystemError(error);
    }
    return true;
}

bool Linux_FileSpecImp::DocumentsFolder(String& out) {
    const char* home = std::getenv("HOME");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) {
        if (IsUsableFolder(documents) || QDir().mkpath(documents)) {
            out.Assign(QFile::encodeName(documents).constData());
            return true;
        }
    }
    if (home != nullptr && *home != '\0' && IsUsableFolder(QFile::decodeName(home))) {
        out.Assign(home);
        out.RemoveTrailing('/');
        if (out.IsEmpty()) {
            out.Assign("/");
        }
        return true;
    }
    return ErrorStateStack::Get().Push(ErrNotFound, SeverityError,
                                       "User Home directory not found.");
}

bool Linux_FileSpecImp::ProgramFolder(String& out) {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size() - 1) {
        return ErrorStateStack::Get().Push(ErrNoProgramFolder, SeverityError,
                                           "Couldn't get application home folder");
    }
    String path;
    path.Assign(buffer.data(), static_cast<std::size_t>(length));
    out = FolderOf(path);
    return true;
}

std::FILE* Linux_FileSpecImp::OpenStream(const String& path, const char* mode, int& error) {
    int flags = 0;
    const bool plus = std::strchr(mode, '+') != nullptr;
    switch (mode[0]) {
    case 'r':
        flags = plus ? O_RDWR : O_RDONLY;
        break;
    case 'w':
        flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
        break;
    case 'a':
        flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default:
        error = EINVAL;
        return nullptr;
    }
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, mode);
    if (stream == nullptr) {
        error = errno;
        ::close(fd);
    }
    return stream;
}

std::FILE* Linux_FileSpecImp::CreateTemporary(const String& finalPath, String& tempPath,
                                              int& error) {
    const String target = ReplacementTarget(finalPath);
    // The rename would replace a file its owner made read-only just as well
    // as any other: refuse, as writing to it in place would be refused.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        error = errno;
        return nullptr;
    }
    String pattern = FolderOf(target);
    pattern.Append("/.");
    pattern.Append(NameOf(target));
    pattern.Append(".XXXXXX");
    std::vector<char> name(pattern.c_str(), pattern.c_str() + pattern.Length() + 1);
    const int fd = ::mkostemp(name.data(), O_CLOEXEC); // mode 0600
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        error = errno;
        ::close(fd);
        ::unlink(name.data());
        return nullptr;
    }
    tempPath.Assign(name.data());
    return stream;
}

int Linux_FileSpecImp::CommitTemporary(std::FILE* stream, const String& tempPath,
                                       const String& finalPath, FileStamp& written) {
    const String target = ReplacementTarget(finalPath);
    const int fd = ::fileno(stream);
    int error = 0;
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) {
        error = errno != 0 ? errno : EIO;
    }
    if (error == 0) {
        error = KeepModeOf(target, fd);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    // A rename keeps the inode, size and modification time, so this is the
    // stamp the file will have once it is in place.
    struct stat info {};
    if (error == 0 && ::fstat(fd, &info) != 0) {
        error = errno;
    }
    if (error == 0) {
        written = StampOf(info);
    }
    if (std::fclose(stream) != 0 && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(tempPath.c_str());
    }
    return error;
}

int Linux_FileSpecImp::SyncFolderOf(const String& finalPath) {
    return SyncFolder(FolderOf(ReplacementTarget(finalPath)));
}

void Linux_FileSpecImp::DiscardTemporary(std::FILE* stream, const String& tempPath) {
    if (stream != nullptr) {
        std::fclose(stream);
    }
    ::unlink(tempPath.c_str());
}

void Linux_FileSpecImp::RemoveStaleTemporaries(const String& finalPath) {
    timespec started{};
    if (!ProcessStartTime(started)) {
        return; // without knowing when we started, a temporary may be live
    }
    const String target = ReplacementTarget(finalPath);
    const String folder = FolderOf(target);
    String prefix(".");
    prefix.Append(NameOf(target));
    prefix.Append(".");
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const int folderFd = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const String name(entry->d_name);
        if (!IsTemporaryName(name, prefix)) {
            continue;
        }
        struct stat info {};
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || !IsEarlier(info.st_mtim, started)) {
            continue;
        }
        ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(listing);
}

bool Linux_FileSpecImp::Stamp(const String& path, FileStamp& out) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            out = FileStamp{};
            return true;
        }
        return PushSystemError(errno);
    }
    out = StampOf(info);
    return true;
}

bool Linux_FileSpecImp::CopyAside(const String& from, const String& to) {
    // Follow a symbolic link: the copy must hold the bytes, not the link.
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        SyncFolder(FolderOf(to)); // the copy exists either way
        return true;
    }
    if (errno == EEXIST || errno == ENOENT) {
        return PushSystemError(errno);
    }
    // No hard links here: copy the bytes into a new file.
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return PushSystemError(errno);
    }
    const int target = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (target < 0) {
        const int error = errno;
        ::close(source);
        return PushSystemError(error);
    }
    int error = CopyBytes(source, target);
    if (error == 0 && ::fsync(target) != 0) {
        error = errno;
    }
    ::close(source);
    if (::close(target) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(to.c_str());
        return PushSystemError(error);
    }
    return true;
}

int Linux_FileSpecImp::Lock(const String& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    return fd;
}

void Linux_FileSpecImp::Unlock(int handle) {
    if (handle >= 0) {
        ::flock(handle, LOCK_UN);
        ::close(handle);
    }
}

} // namespace plat
