#include "scene/Archive.h"

#include "platform/MappedFile.h"
#include "platform/TextCodec.h"
#include "scene/Scramble.h"

#include <QString>

#include <array>
#include <bit>
#include <cstring>

bool CArchive::Fail(const std::string& reason) {
    if (!m_failed) {
        m_failed = true;
        m_error = m_context.empty() ? reason : m_context + ": " + reason;
    }
    return false;
}

bool CArchive::Take(std::uint64_t count, const char* what, const std::uint8_t*& data) {
    if (m_failed) {
        return false;
    }
    if (count > Remaining()) {
        return Fail(std::string(what) + " needs " + std::to_string(count) + " bytes at offset " +
                    std::to_string(m_position) + " but only " + std::to_string(Remaining()) +
                    " remain");
    }
    data = m_bytes.data() + m_position;
    m_position += count;
    return true;
}

bool CArchive::ReadU32(std::uint32_t& value, const char* what) {
    const std::uint8_t* data = nullptr;
    if (!Take(4, what, data)) {
        return false;
    }
    value = static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
            (static_cast<std::uint32_t>(data[2]) << 16) |
            (static_cast<std::uint32_t>(data[3]) << 24);
    return true;
}

bool CArchive::ReadI32(std::int32_t& value, const char* what) {
    std::uint32_t bits = 0;
    if (!ReadU32(bits, what)) {
        return false;
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool CArchive::ReadFlag(BOOL& value, const char* what) {
    std::int32_t stored = 0;
    if (!ReadI32(stored, what)) {
        return false;
    }
    value = stored;
    return true;
}

bool CArchive::ReadFloat(float& value, const char* what) {
    std::uint32_t bits = 0;
    if (!ReadU32(bits, what)) {
        return false;
    }
    value = std::bit_cast<float>(bits);
    return true;
}

bool CArchive::ReadPoint(CPoint& value, const char* what) {
    return ReadI32(value.x, what) && ReadI32(value.y, what);
}

// One byte below 0xFF is the length; 0xFF is followed by a 16-bit length, in
// which 0xFFFF announces a 32-bit length and, where allowed, 0xFFFE announces
// text in 16-bit units with a length prefix of its own.
bool CArchive::ReadShortLength(std::uint64_t& length, bool allowWide, bool& wide,
                               const char* what) {
    const std::uint8_t* data = nullptr;
    if (!Take(1, what, data)) {
        return false;
    }
    if (data[0] < 0xFF) {
        length = data[0];
        return true;
    }
    if (!Take(2, what, data)) {
        return false;
    }
    const std::uint32_t word = data[0] | (static_cast<std::uint32_t>(data[1]) << 8);
    if (word < 0xFFFE) {
        length = word;
        return true;
    }
    if (word == 0xFFFF) {
        std::uint32_t longLength = 0;
        if (!ReadU32(longLength, what)) {
            return false;
        }
        length = longLength;
        return true;
    }
    if (!allowWide) {
        return Fail(std::string(what) + " has a second 16-bit text marker at offset " +
                    std::to_string(m_position - 2));
    }
    wide = true;
    return ReadShortLength(length, false, wide, what);
}

bool CArchive::ReadLengthPrefix(std::uint64_t& length, bool& wide, const char* what) {
    wide = false;
    return ReadShortLength(length, true, wide, what);
}

bool CArchive::ReadString(std::string& value, const char* what) {
    std::uint64_t length = 0;
    bool wide = false;
    if (!ReadLengthPrefix(length, wide, what)) {
        return false;
    }
    const std::uint64_t byteCount = wide ? 2 * length : length;
    const std::uint8_t* data = nullptr;
    if (!Take(byteCount, what, data)) {
        return false;
    }
    if (!wide) {
        value.assign(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
        return true;
    }
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    value = ToWindows1252(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())));
    return true;
}

// The shift follows the length of the 8-bit text, which is the stored length
// for every string a writer of 8-bit text produces.
bool CArchive::ReadScrambledString(std::string& value, const char* what) {
    if (!ReadString(value, what)) {
        return false;
    }
    Unscramble(std::span<char>(value.data(), value.size()));
    return true;
}

bool CArchive::ReadScrambledFont(LOGFONTA& value, const char* what) {
    const std::uint8_t* data = nullptr;
    if (!Take(LOGFONTA_STORED_SIZE, what, data)) {
        return false;
    }
    std::array<std::uint8_t, LOGFONTA_STORED_SIZE> bytes{};
    std::memcpy(bytes.data(), data, bytes.size());
    Unscramble(bytes);
    value = DecodeLogFont(bytes);
    return true;
}

bool CArchive::ReadScrambledBytes(CEmbeddedBytes& value, std::uint64_t size, const char* what) {
    const std::uint64_t at = m_position;
    const std::uint8_t* data = nullptr;
    if (!Take(size, what, data)) { // before anything is allocated
        return false;
    }
    if (m_writable != nullptr) {
        const std::span<std::uint8_t> inPlace(m_writable + at, static_cast<std::size_t>(size));
        CMappedFile* mapped = m_mapped;
        value = CEmbeddedBytes::Lowered(
            inPlace, ScrambleShift(size), [mapped](std::span<std::uint8_t> bytes) {
                if (mapped == nullptr) {
                    Unscramble(bytes);
                } else {
                    mapped->Change(bytes, [](std::span<std::uint8_t> b) { Unscramble(b); });
                }
            });
        return true;
    }
    std::vector<std::uint8_t> copy(data, data + size);
    Unscramble(copy);
    value = CEmbeddedBytes(std::move(copy));
    return true;
}
