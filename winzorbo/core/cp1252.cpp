#include "core/cp1252.h"

#include <array>

namespace {
// 0x80..0x9f; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> high_controls = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178};

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
}

// Decodes one UTF-8 sequence at text[i]; malformed bytes decode as U+FFFD.
char32_t next_code_point(std::string_view text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80) {
        return lead;
    }
    int extra = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : -1;
    if (extra < 0) {
        return 0xfffd;
    }
    char32_t c = lead & (0x3f >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xc0) != 0x80) {
            return 0xfffd;
        }
        c = (c << 6) | (byte(i++) & 0x3f);
    }
    return c;
}
} // namespace

char32_t cp1252_code_point(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xa0) {
        return high_controls[byte - 0x80];
    }
    return byte;
}

std::string cp1252_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) {
        append_utf8(out, cp1252_code_point(static_cast<unsigned char>(ch)));
    }
    return out;
}

std::string utf8_to_cp1252(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = next_code_point(text, i);
        if (c < 0x80 || (c >= 0xa0 && c < 0x100)) {
            out += static_cast<char>(c);
            continue;
        }
        char replacement = '?';
        for (std::size_t k = 0; k < high_controls.size(); ++k) {
            if (high_controls[k] == c) {
                replacement = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += replacement;
    }
    return out;
}
