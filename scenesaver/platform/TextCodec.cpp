#include "platform/TextCodec.h"

#include <array>

namespace {
// 0x80..0x9F differ from Latin-1; the five unassigned bytes map to themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString FromWindows1252(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            result.append(QChar(kHighControls[byte - 0x80]));
        } else {
            result.append(QChar(byte));
        }
    }
    return result;
}

std::string ToWindows1252(const QString& text) {
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            result.push_back(static_cast<char>(unit));
            continue;
        }
        char mapped = '?';
        for (size_t i = 0; i < kHighControls.size(); ++i) {
            if (kHighControls[i] == unit) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        result.push_back(mapped);
    }
    return result;
}
