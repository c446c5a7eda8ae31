#include "content/font_maker.h"

#include "core/cp1252.h"

#include <algorithm>
#include <allegro.h>
#include <array>

namespace {
bool builtin_has(char32_t c) {
    for (int i = 0; i < get_font_ranges(font); ++i) {
        if (static_cast<int>(c) >= get_font_range_begin(font, i) &&
            static_cast<int>(c) <= get_font_range_end(font, i)) {
            return true;
        }
    }
    return false;
}

char32_t look_alike(char32_t c) {
    switch (c) {
    case 0x201a:
    case 0x2018:
    case 0x2019:
        return '\'';
    case 0x201e:
    case 0x201c:
    case 0x201d:
        return '"';
    case 0x2026:
        return 0xb7;
    case 0x2020:
    case 0x2021:
        return '+';
    case 0x02c6:
        return '^';
    case 0x2030:
        return '%';
    case 0x2039:
        return '<';
    case 0x203a:
        return '>';
    case 0x2022:
        return 0xb7;
    case 0x2013:
    case 0x2014:
        return '-';
    case 0x02dc:
        return '~';
    case 0x2122:
        return 'T';
    case 0x0192:
        return 'f';
    default:
        return ' ';
    }
}

using Small = std::array<std::array<bool, 8>, 8>;
using Large = std::array<std::array<bool, 16>, 16>;

Small draw_builtin(char32_t c, BITMAP* cell) {
    clear_to_color(cell, 0);
    char text[8] = {};
    usetc(text, static_cast<int>(c));
    textout_ex(cell, font, text, 0, 0, 1, 0);
    Small pixels{};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pixels[y][x] = getpixel(cell, x, y) == 1;
        }
    }
    return pixels;
}

Large scale2x(const Small& p) {
    auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < 8 && y < 8 && p[y][x]; };
    Large out{};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            bool centre = p[y][x];
            bool a = at(x, y - 1), b = at(x + 1, y), c = at(x - 1, y), d = at(x, y + 1);
            out[2 * y][2 * x] = (c == a && c != d && a != b) ? a : centre;
            out[2 * y][2 * x + 1] = (a == b && a != c && b != d) ? b : centre;
            out[2 * y + 1][2 * x] = (d == c && d != b && c != a) ? c : centre;
            out[2 * y + 1][2 * x + 1] = (b == d && b != a && d != c) ? d : centre;
        }
    }
    return out;
}

Glyph trim(const Large& pixels) {
    int left = 16;
    int right = -1;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (pixels[y][x]) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    Glyph glyph;
    glyph.height = font_height;
    if (right < 0) {
        glyph.width = 8; // space-like
        glyph.bits.assign(static_cast<std::size_t>(font_height), 0);
        return glyph;
    }
    glyph.width = right - left + 1 + 2;
    int row_bytes = (glyph.width + 7) / 8;
    glyph.bits.assign(static_cast<std::size_t>(row_bytes * font_height), 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = left; x <= right; ++x) {
            if (pixels[y][x]) {
                int gx = x - left;
                glyph.bits[static_cast<std::size_t>(y * row_bytes + gx / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (gx % 8));
            }
        }
    }
    return glyph;
}
} // namespace

std::vector<Glyph> make_font_glyphs() {
    int format = get_uformat();
    set_uformat(U_UNICODE);
    BITMAP* cell = create_bitmap_ex(8, 8, 8);
    std::vector<Glyph> glyphs;
    for (int code = font_first_character; code <= font_last_character; ++code) {
        char32_t c = cp1252_code_point(static_cast<unsigned char>(code));
        if (!builtin_has(c) || (c >= 0x80 && c < 0xa0)) {
            c = look_alike(c);
        }
        glyphs.push_back(trim(scale2x(draw_builtin(c, cell))));
    }
    destroy_bitmap(cell);
    set_uformat(format);
    return glyphs;
}
