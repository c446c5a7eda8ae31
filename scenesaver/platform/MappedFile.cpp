#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

std::unique_ptr<CMappedFile> CMappedFile::Map(const std::string& path, std::uint64_t offset,
                                              std::uint64_t length, std::string& why) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = "cannot open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = path + " is not a regular file";
        close(fd);
        return nullptr;
    }
    const auto fileSize = static_cast<std::uint64_t>(info.st_size);
    if (length == 0 || offset > fileSize || length > fileSize - offset) {
        why = "the range to map is not inside " + path;
        close(fd);
        return nullptr;
    }
    // The mapping starts at the page that holds the first byte.
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    const std::uint64_t start = offset - offset % page;
    const std::uint64_t lead = offset - start;
    if (length + lead > std::numeric_limits<std::size_t>::max()) {
        why = "the range to map does not fit the address space";
        close(fd);
        return nullptr;
    }
    const auto mappingLength = static_cast<std::size_t>(length + lead);
    void* mapping = mmap(nullptr, mappingLength, PROT_READ | PROT_WRITE, MAP_PRIVATE, fd,
                         static_cast<off_t>(start));
    const int mapError = errno;
    close(fd); // the mapping keeps the file
    if (mapping == MAP_FAILED) {
        why = "cannot map " + path + ": " + std::strerror(mapError);
        return nullptr;
    }
    const std::span<std::uint8_t> bytes(static_cast<std::uint8_t*>(mapping) + lead,
                                        static_cast<std::size_t>(length));
    return std::unique_ptr<CMappedFile>(new CMappedFile(mapping, mappingLength, bytes));
}

CMappedFile::~CMappedFile() {
    munmap(mapping, mappingLength);
}

bool CMappedFile::Seal() {
    const std::lock_guard<std::mutex> lock(changing);
    sealed = mprotect(mapping, mappingLength, PROT_READ) == 0;
    return sealed;
}

void CMappedFile::Change(std::span<std::uint8_t> part,
                         const std::function<void(std::span<std::uint8_t>)>& change) {
    if (part.empty()) {
        return;
    }
    const std::lock_guard<std::mutex> lock(changing);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(part.data()) / page * page;
    const auto last = reinterpret_cast<std::uintptr_t>(part.data() + part.size());
    auto* pages = reinterpret_cast<void*>(first);
    const std::size_t length = last - first;
    if (sealed && mprotect(pages, length, PROT_READ | PROT_WRITE) != 0) {
        return; // left as it is: readers see the bytes unchanged, not a fault
    }
#ifdef MADV_POPULATE_WRITE
    // One call makes every page a private one; page by page, each first
    // write would also have to take back a read-only page already mapped.
    madvise(pages, length, MADV_POPULATE_WRITE);
#endif
    change(part);
    if (sealed) {
        mprotect(pages, length, PROT_READ);
    }
}
