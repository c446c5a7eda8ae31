#include "platform/ExecutableImage.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// Reads size bytes at offset; false when they are not all there.
using ReadAt = std::function<bool(std::uint64_t offset, std::uint64_t size, void* out)>;

struct Elf32 {
    using Ehdr = Elf32_Ehdr;
    using Phdr = Elf32_Phdr;
    using Shdr = Elf32_Shdr;
};
struct Elf64 {
    using Ehdr = Elf64_Ehdr;
    using Phdr = Elf64_Phdr;
    using Shdr = Elf64_Shdr;
};

class ImageScanner {
public:
    ImageScanner(std::uint64_t fileSize, ReadAt read, std::string* why)
        : m_fileSize(fileSize), m_read(std::move(read)), m_why(why) {}

    template <class Elf>
    std::optional<std::uint64_t> Scan();

    bool Fail(const char* reason) {
        if (m_why != nullptr) {
            *m_why = reason;
        }
        return false;
    }

private:
    // Extends the image by [offset, offset + size), which must lie in the file.
    bool Cover(std::uint64_t offset, std::uint64_t size, const char* what) {
        if (size == 0) {
            return true;
        }
        if (offset > m_fileSize || size > m_fileSize - offset) {
            return Fail(what);
        }
        m_end = std::max(m_end, offset + size);
        return true;
    }

    // Reads a table of count entries of entrySize bytes into raw bytes.
    bool ReadTable(std::uint64_t offset, std::uint64_t count, std::uint64_t entrySize,
                   std::size_t minimumEntrySize, const char* what, std::vector<std::uint8_t>& out) {
        if (count == 0) {
            return true;
        }
        if (entrySize < minimumEntrySize) {
            return Fail(what);
        }
        if (count > m_fileSize / entrySize || !Cover(offset, count * entrySize, what)) {
            return Fail(what);
        }
        out.resize(static_cast<std::size_t>(count * entrySize));
        return m_read(offset, out.size(), out.data()) || Fail(what);
    }

    std::uint64_t m_fileSize;
    ReadAt m_read;
    std::string* m_why;
    std::uint64_t m_end = 0;
};

template <class Elf>
std::optional<std::uint64_t> ImageScanner::Scan() {
    typename Elf::Ehdr header;
    if (!m_read(0, sizeof header, &header)) {
        Fail("file too short for an ELF header");
        return std::nullopt;
    }
    if (!Cover(0, std::max<std::uint64_t>(sizeof header, header.e_ehsize),
               "ELF header larger than the file")) {
        return std::nullopt;
    }

    // Counts too large for the header fields live in the first section header.
    std::uint64_t sectionCount = header.e_shnum;
    std::uint64_t segmentCount = header.e_phnum;
    if (header.e_shoff != 0 && (sectionCount == 0 || segmentCount == PN_XNUM)) {
        typename Elf::Shdr first;
        if (header.e_shentsize < sizeof first ||
            !Cover(header.e_shoff, sizeof first, "section header table outside the file") ||
            !m_read(header.e_shoff, sizeof first, &first)) {
            Fail("section header table outside the file");
            return std::nullopt;
        }
        if (sectionCount == 0) {
            sectionCount = first.sh_size;
        }
        if (segmentCount == PN_XNUM) {
            segmentCount = first.sh_info;
        }
    }
    if (header.e_shoff == 0) {
        sectionCount = 0;
    }

    std::vector<std::uint8_t> table;
    if (!ReadTable(header.e_phoff, segmentCount, header.e_phentsize, sizeof(typename Elf::Phdr),
                   "program header table outside the file or malformed", table)) {
        return std::nullopt;
    }
    for (std::uint64_t i = 0; i < segmentCount; ++i) {
        typename Elf::Phdr segment;
        std::memcpy(&segment, table.data() + i * header.e_phentsize, sizeof segment);
        if (!Cover(segment.p_offset, segment.p_filesz,
                   "segment reaches past the end of the file")) {
            return std::nullopt;
        }
    }

    if (!ReadTable(header.e_shoff, sectionCount, header.e_shentsize, sizeof(typename Elf::Shdr),
                   "section header table outside the file or malformed", table)) {
        return std::nullopt;
    }
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
        typename Elf::Shdr section;
        std::memcpy(&section, table.data() + i * header.e_shentsize, sizeof section);
        if (section.sh_type != SHT_NOBITS && !Cover(section.sh_offset, section.sh_size,
                                                    "section reaches past the end of the file")) {
            return std::nullopt;
        }
    }
    return m_end;
}

std::optional<std::uint64_t> ScanImage(std::uint64_t fileSize, const ReadAt& read,
                                       std::string* why) {
    ImageScanner scanner(fileSize, read, why);
    unsigned char ident[EI_NIDENT];
    if (!read(0, sizeof ident, ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0) {
        scanner.Fail("not an ELF file");
        return std::nullopt;
    }
    if (ident[EI_DATA] != ELFDATA2LSB) {
        scanner.Fail("not a little-endian ELF file");
        return std::nullopt;
    }
    if (ident[EI_CLASS] == ELFCLASS64) {
        return scanner.Scan<Elf64>();
    }
    if (ident[EI_CLASS] == ELFCLASS32) {
        return scanner.Scan<Elf32>();
    }
    scanner.Fail("unknown ELF class");
    return std::nullopt;
}

} // namespace

std::optional<std::uint64_t> ExecutableImageEnd(std::span<const std::uint8_t> file,
                                                std::string* why) {
    const auto read = [file](std::uint64_t offset, std::uint64_t size, void* out) {
        if (offset > file.size() || size > file.size() - offset) {
            return false;
        }
        std::memcpy(out, file.data() + offset, static_cast<std::size_t>(size));
        return true;
    };
    return ScanImage(file.size(), read, why);
}

std::optional<std::uint64_t> ExecutableImageEnd(const std::string& path, std::string* why) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (why != nullptr) {
            *why = "cannot open " + path + ": " + std::strerror(errno);
        }
        return std::nullopt;
    }
    struct stat info {};
    std::optional<std::uint64_t> end;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const auto read = [fd](std::uint64_t offset, std::uint64_t size, void* out) {
            auto* bytes = static_cast<char*>(out);
            while (size > 0) {
                const ssize_t got = pread(fd, bytes, size, static_cast<off_t>(offset));
                if (got <= 0) {
                    return false;
                }
                bytes += got;
                offset += static_cast<std::uint64_t>(got);
                size -= static_cast<std::uint64_t>(got);
            }
            return true;
        };
        end = ScanImage(static_cast<std::uint64_t>(info.st_size), read, why);
    } else if (why != nullptr) {
        *why = path + " is not a regular file";
    }
    close(fd);
    return end;
}
