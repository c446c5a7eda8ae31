#pragma once

#include "scene/EmbeddedBytes.h"
#include "scene/LogFont.h"
#include "scene/SceneValues.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CMappedFile;

// Reads the scene block's encodings from bytes in memory. Every read checks
// the bytes that remain first; the first failure is kept with its reason
// (for tools that must say why a block is bad) and every later read fails.
class CArchive {
public:
    explicit CArchive(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    // Over bytes that the archive may put right where they lie: embedded
    // files are unscrambled in place and read as views into the bytes, not
    // copied. Such bytes must be read only once.
    // An embedded file is put right when it is first used; in a mapped file
    // the mapping makes its pages writable for that.
    struct InPlace {};
    CArchive(std::span<std::uint8_t> bytes, InPlace, CMappedFile* mapped = nullptr)
        : m_bytes(bytes), m_writable(bytes.data()), m_mapped(mapped) {}

    // The format version of the block, which selects the item layouts.
    float m_version = 0.0F;

    bool ReadU32(std::uint32_t& value, const char* what);
    bool ReadI32(std::int32_t& value, const char* what);
    bool ReadFlag(BOOL& value, const char* what);
    bool ReadColor(COLORREF& value, const char* what) { return ReadU32(value, what); }
    bool ReadFloat(float& value, const char* what);
    bool ReadPoint(CPoint& value, const char* what);
    // A string as the framework's archive stores it, converted to 8-bit text.
    bool ReadString(std::string& value, const char* what);
    bool ReadScrambledString(std::string& value, const char* what);
    bool ReadScrambledFont(LOGFONTA& value, const char* what);
    // size bytes that were stored scrambled as one field.
    bool ReadScrambledBytes(CEmbeddedBytes& value, std::uint64_t size, const char* what);

    std::uint64_t Position() const { return m_position; }
    std::uint64_t Remaining() const { return m_bytes.size() - m_position; }

    // Names the part being read, for the failure reason ("item 3 (kind 1)").
    void SetContext(std::string context) { m_context = std::move(context); }

    // Records the first failure and returns false.
    bool Fail(const std::string& reason);
    bool Failed() const { return m_failed; }
    const std::string& Error() const { return m_error; }

private:
    bool Take(std::uint64_t count, const char* what, const std::uint8_t*& data);
    bool ReadLengthPrefix(std::uint64_t& length, bool& wide, const char* what);
    bool ReadShortLength(std::uint64_t& length, bool allowWide, bool& wide, const char* what);

    std::span<const std::uint8_t> m_bytes;
    std::uint8_t* m_writable = nullptr; // the same bytes, when they may be changed
    CMappedFile* m_mapped = nullptr;    // the mapping they lie in, if any
    std::uint64_t m_position = 0;
    std::string m_context;
    std::string m_error;
    bool m_failed = false;
};
