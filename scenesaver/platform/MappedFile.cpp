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
    return mprotect(mapping, mappingLength, PROT_READ) == 0;
}
