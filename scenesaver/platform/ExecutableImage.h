#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Where the ELF image of an executable file ends: the furthest byte covered by
// the ELF header, the program and section header tables, a segment's file
// contents or a section's file contents. Whatever a file holds beyond that
// was appended after linking. The headers are read as untrusted input: a
// table, segment or section that reaches past the end of the file, or an
// entry size smaller than the entry, makes the file malformed. Empty when the
// file is not a well-formed little-endian ELF file; why then says what is
// wrong.
std::optional<std::uint64_t> ExecutableImageEnd(const std::string& path,
                                                std::string* why = nullptr);
std::optional<std::uint64_t> ExecutableImageEnd(std::span<const std::uint8_t> file,
                                                std::string* why = nullptr);
