#include "imglib/Stream.h"

#include "imglib/ImgTypes.h"
#include "imglib/ThreadState.h"

#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

namespace {
// Handles this library has handed out and not yet closed. Checking a pointer
// against this set, before touching it, keeps a stale or foreign pointer from
// ever being read.
std::mutex liveMutex;
std::unordered_set<const ImgStream*>& LiveHandles() {
    static std::unordered_set<const ImgStream*> handles;
    return handles;
}

ImgStream* NewHandle(int kind, bool writable, const char* name) {
    auto* stream = new (std::nothrow) ImgStream;
    if (stream == nullptr) {
        return nullptr;
    }
    stream->headGuard = ImgStream::kHeadGuard;
    stream->tailGuard = ImgStream::kTailGuard;
    stream->kind = kind;
    stream->writable = writable ? 1 : 0;
    if (name != nullptr) {
        std::strncpy(stream->fileName, name, ImgStream::kNameSize - 1);
    }
    return stream;
}

bool Register(ImgStream* stream) {
    std::lock_guard lock(liveMutex);
    try {
        LiveHandles().insert(stream);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void Unregister(ImgStream* stream) {
    std::lock_guard lock(liveMutex);
    LiveHandles().erase(stream);
}

ImgStream* OpenFile(const char* path, const char* mode, bool writable) {
    if (path == nullptr || path[0] == '\0') {
        ImgSetError(IMG_ERR_OPEN);
        return nullptr;
    }
    ImgStream* stream = NewHandle(ImgStream::kFile, writable, path);
    if (stream == nullptr) {
        ImgSetError(IMG_ERR_NOMEM);
        return nullptr;
    }
    stream->file = std::fopen(path, mode);
    if (stream->file == nullptr) {
        delete stream;
        ImgSetError(IMG_ERR_OPEN);
        return nullptr;
    }
    if (!Register(stream)) {
        std::fclose(stream->file);
        delete stream;
        ImgSetError(IMG_ERR_NOMEM);
        return nullptr;
    }
    return stream;
}

void Free(ImgStream* stream) {
    Unregister(stream);
    delete stream;
}
} // namespace

bool ImgStreamValid(const ImgStream* stream) {
    if (stream == nullptr) {
        return false;
    }
    {
        std::lock_guard lock(liveMutex);
        if (!LiveHandles().contains(stream)) {
            return false;
        }
    }
    if (stream->headGuard != ImgStream::kHeadGuard || stream->tailGuard != ImgStream::kTailGuard) {
        return false;
    }
    switch (stream->kind) {
    case ImgStream::kFile:
        return stream->file != nullptr;
    case ImgStream::kMemory:
        return stream->memoryBase != nullptr || stream->memorySize == 0;
    default:
        return false;
    }
}

bool ImgCheckStream(const ImgStream* stream) {
    if (stream == nullptr) {
        ImgSetError(IMG_ERR_ARG);
        return false;
    }
    if (!ImgStreamValid(stream)) {
        ImgSetError(IMG_ERR_HANDLE);
        return false;
    }
    return true;
}

ImgStream* img_open_read(const char* path) {
    return OpenFile(path, "rb", false);
}

ImgStream* img_open_write(const char* path) {
    return OpenFile(path, "wb+", true);
}

ImgStream* img_open_memory(const std::uint8_t* data, std::size_t size) {
    return img_open_raised_memory(data, size, 0);
}

ImgStream* img_open_raised_memory(const std::uint8_t* data, std::size_t size, std::uint8_t raise) {
    if (data == nullptr && size != 0) {
        ImgSetError(IMG_ERR_ARG);
        return nullptr;
    }
    ImgStream* stream = NewHandle(ImgStream::kMemory, false, nullptr);
    if (stream == nullptr) {
        ImgSetError(IMG_ERR_NOMEM);
        return nullptr;
    }
    stream->memoryBase = data;
    stream->memorySize = size;
    stream->memoryRaise = raise;
    if (!Register(stream)) {
        delete stream;
        ImgSetError(IMG_ERR_NOMEM);
        return nullptr;
    }
    return stream;
}

int img_seek(ImgStream* stream, std::int32_t offset, int origin) {
    if (!ImgCheckStream(stream)) {
        return 0;
    }
    if (stream->kind == ImgStream::kFile) {
        return std::fseek(stream->file, offset, origin) == 0 ? 1 : 0;
    }
    std::int64_t base = 0;
    switch (origin) {
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = static_cast<std::int64_t>(stream->memoryPosition);
        break;
    case SEEK_END:
        base = static_cast<std::int64_t>(stream->memorySize);
        break;
    default:
        return 0;
    }
    const std::int64_t target = base + offset;
    if (target < 0) {
        return 0;
    }
    stream->memoryPosition = static_cast<std::uint64_t>(target);
    return 1;
}

std::int64_t img_close_read(ImgStream* stream) {
    if (!ImgCheckStream(stream)) {
        return 0;
    }
    const std::int64_t position = ImgStreamTell(stream);
    if (stream->kind == ImgStream::kFile) {
        std::fclose(stream->file);
    }
    Free(stream);
    return position < 0 ? 0 : position;
}

std::int64_t img_close_write(ImgStream* stream) {
    if (!ImgCheckStream(stream)) {
        return 0;
    }
    std::int64_t length = 0;
    if (stream->kind == ImgStream::kFile) {
        std::fflush(stream->file);
        length = ImgStreamLength(stream);
        std::fclose(stream->file);
    }
    Free(stream);
    return length < 0 ? 0 : length;
}

std::size_t ImgStreamRead(ImgStream* stream, void* buffer, std::size_t count) {
    if (count == 0) {
        return 0;
    }
    if (stream->kind == ImgStream::kFile) {
        return std::fread(buffer, 1, count, stream->file);
    }
    if (stream->memoryPosition >= stream->memorySize) {
        return 0;
    }
    const std::uint64_t left = stream->memorySize - stream->memoryPosition;
    const std::size_t n = left < count ? static_cast<std::size_t>(left) : count;
    std::memcpy(buffer, stream->memoryBase + stream->memoryPosition, n);
    if (stream->memoryRaise != 0) {
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        for (std::size_t i = 0; i < n; ++i) {
            bytes[i] = static_cast<std::uint8_t>(bytes[i] + stream->memoryRaise);
        }
    }
    stream->memoryPosition += n;
    return n;
}

bool ImgStreamReadExact(ImgStream* stream, void* buffer, std::size_t count) {
    return ImgStreamRead(stream, buffer, count) == count;
}

bool ImgStreamWrite(ImgStream* stream, const void* buffer, std::size_t count) {
    if (stream->writable == 0 || stream->kind != ImgStream::kFile) {
        return false;
    }
    return std::fwrite(buffer, 1, count, stream->file) == count;
}

bool ImgStreamFlush(ImgStream* stream) {
    if (stream->kind != ImgStream::kFile) {
        return true;
    }
    return std::fflush(stream->file) == 0 && std::ferror(stream->file) == 0;
}

bool ImgStreamSeekTo(ImgStream* stream, std::uint64_t position) {
    if (stream->kind == ImgStream::kFile) {
        if (position > static_cast<std::uint64_t>(INT64_MAX)) {
            return false;
        }
        return fseeko(stream->file, static_cast<off_t>(position), SEEK_SET) == 0;
    }
    stream->memoryPosition = position;
    return true;
}

std::int64_t ImgStreamTell(ImgStream* stream) {
    if (stream->kind == ImgStream::kFile) {
        return ftello(stream->file);
    }
    return static_cast<std::int64_t>(stream->memoryPosition);
}

std::int64_t ImgStreamLength(ImgStream* stream) {
    if (stream->kind == ImgStream::kFile) {
        const off_t here = ftello(stream->file);
        if (here < 0 || fseeko(stream->file, 0, SEEK_END) != 0) {
            return -1;
        }
        const off_t end = ftello(stream->file);
        fseeko(stream->file, here, SEEK_SET);
        return end;
    }
    return static_cast<std::int64_t>(stream->memorySize);
}
