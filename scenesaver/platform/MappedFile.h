#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

// A private view of part of a file, mapped rather than read: the pages come
// from the file as they are touched and cost no memory of their own until
// they are written. Writes stay in this process, so the bytes can be put
// right in place once and then sealed read-only.
class CMappedFile {
public:
    // Maps length bytes at offset of the file; null, with the reason in
    // why, when the file cannot be opened or the range is not in it.
    static std::unique_ptr<CMappedFile> Map(const std::string& path, std::uint64_t offset,
                                            std::uint64_t length, std::string& why);
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;
    ~CMappedFile();

    // Writable until sealed.
    std::span<std::uint8_t> Bytes() const { return bytes; }
    // Makes the bytes read-only; a later write is a fault, not silent damage.
    bool Seal();
    // Lets change write to part of the bytes, sealed or not: the pages that
    // hold them are writable for the call, and asked for as writable pages
    // at once rather than one fault at a time. One change runs at a time, so
    // that a page two parts share is never sealed under another's writes.
    void Change(std::span<std::uint8_t> part,
                const std::function<void(std::span<std::uint8_t>)>& change);

private:
    CMappedFile(void* mapping, std::size_t mappingLength, std::span<std::uint8_t> bytes)
        : mapping(mapping), mappingLength(mappingLength), bytes(bytes) {}

    void* mapping;
    std::size_t mappingLength;
    std::span<std::uint8_t> bytes;
    bool sealed = false;
    std::mutex changing;
};
