#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The picture library's stream handle. Callers treat it as opaque.
struct ImgStream {
    static constexpr std::uint32_t kHeadGuard = 0x03031996;
    static constexpr std::uint32_t kTailGuard = 0x09241996;
    static constexpr int kFile = 1;
    static constexpr int kMemory = 2;
    static constexpr int kCallback = 3;
    static constexpr std::size_t kNameSize = 260;

    std::uint32_t headGuard = 0;
    std::FILE* file = nullptr;
    std::int32_t kind = 0;
    const std::uint8_t* memoryBase = nullptr;
    std::uint64_t memorySize = 0;
    std::uint64_t memoryPosition = 0;
    std::uint64_t memoryHighWater = 0;
    std::uint8_t memoryRaise = 0; // added to every byte read from memory
    char fileName[kNameSize] = {};
    std::int32_t writable = 0;
    std::uint32_t callbackWords[4] = {};
    std::uint32_t tailGuard = 0;
};

// Opens a file for reading ("rb") or for writing ("wb+"). Null on failure
// with IMG_ERR_OPEN (null, empty or unopenable path) or IMG_ERR_NOMEM.
ImgStream* img_open_read(const char* path);
ImgStream* img_open_write(const char* path);

// A read-only stream over bytes the caller keeps alive until the close. Used
// by tools and tests that hold pictures in memory.
ImgStream* img_open_memory(const std::uint8_t* data, std::size_t size);

// The same over bytes that are kept with every byte lowered by raise (modulo
// 256): each read hands them back raised, so the stored bytes are read
// without being changed or copied first.
ImgStream* img_open_raised_memory(const std::uint8_t* data, std::size_t size, std::uint8_t raise);

// Moves the position as fseek does; nonzero on success.
int img_seek(ImgStream* stream, std::int32_t offset, int origin);

// Closes and frees the handle. The read close returns the position before
// closing, the write close the file's length (0 on failure).
std::int64_t img_close_read(ImgStream* stream);
std::int64_t img_close_write(ImgStream* stream);

// Internal operations shared by the decoders and encoders.

// True when stream is a live handle this library made and its guards hold.
// A pointer that is not a live handle is refused without being read.
bool ImgStreamValid(const ImgStream* stream);

// Null: IMG_ERR_ARG; not a live handle: IMG_ERR_HANDLE. Returns true when the
// stream may be used; records nothing on success.
bool ImgCheckStream(const ImgStream* stream);

// Reads up to count bytes; returns how many arrived.
std::size_t ImgStreamRead(ImgStream* stream, void* buffer, std::size_t count);
// True when exactly count bytes were read.
bool ImgStreamReadExact(ImgStream* stream, void* buffer, std::size_t count);
// True when the stream is writable and the whole run was written.
bool ImgStreamWrite(ImgStream* stream, const void* buffer, std::size_t count);
// Pushes buffered output to the file; false when that fails.
bool ImgStreamFlush(ImgStream* stream);
// Absolute seek in 64 bits; false when the position cannot be reached.
bool ImgStreamSeekTo(ImgStream* stream, std::uint64_t position);
std::int64_t ImgStreamTell(ImgStream* stream);
std::int64_t ImgStreamLength(ImgStream* stream);
