#include "plat/linux/Linux_FileSpecImp.h"

#include "plat/ErrorStack.h"
#include "plat/SystemError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
                                       const String& finalPath) {
    int error = 0;
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) {
        error = errno != 0 ? errno : EIO;
    } else if (::fsync(::fileno(stream)) != 0) {
        error = errno;
    }
    if (std::fclose(stream) != 0 && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    const String target = ReplacementTarget(finalPath);
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return error;
    }
    return SyncFolder(FolderOf(target));
}

void Linux_FileSpecImp::DiscardTemporary(std::FILE* stream, const String& tempPath) {
    if (stream != nullptr) {
        std::fclose(stream);
    }
    ::unlink(tempPath.c_str());
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
