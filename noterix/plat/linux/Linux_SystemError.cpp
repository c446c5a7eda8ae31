#include "plat/SystemError.h"

#include "plat/ErrorStack.h"

#include <cerrno>
#include <cstring>

namespace plat {

std::uint32_t MapSystemError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: // a part of the path is a file: the path is not there
        return ErrNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return ErrDiskFull;
    case EEXIST:
        return ErrAlreadyExists;
    default:
        return ErrGeneral;
    }
}

bool PushSystemError(int error) {
    char buffer[256];
    // The GNU variant may return a static string instead of filling buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    String message(text);
    message.RemoveTrailing('\r');
    message.RemoveTrailing('\n');
    message.RemoveTrailing('\r');
    return ErrorStateStack::Get().Push(MapSystemError(error), SeverityError, message.c_str());
}

} // namespace plat
