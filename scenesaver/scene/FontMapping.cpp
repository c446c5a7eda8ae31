#include "scene/FontMapping.h"

#include "scene/LogFont.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view SANS = "Liberation Sans";
constexpr std::string_view SERIF = "Liberation Serif";
constexpr std::string_view MONO = "Liberation Mono";
// The classic symbol font's glyphs, from Debian's URW base fonts.
constexpr std::string_view SYMBOL = "Standard Symbols PS";

constexpr std::array<std::pair<std::string_view, std::string_view>, 16> CLASSIC_FACES{{
    {"MS Sans Serif", SANS},
    {"Microsoft Sans Serif", SANS},
    {"MS Shell Dlg", SANS},
    {"MS Shell Dlg 2", SANS},
    {"Arial", SANS},
    {"Helvetica", SANS},
    {"Tahoma", SANS},
    {"Verdana", SANS},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", SERIF},
    {"Times", SERIF},
    {"MS Serif", SERIF},
    {"Courier New", MONO},
    {"Courier", MONO},
    {"Lucida Console", MONO},
    {"Fixedsys", MONO},
}};

bool SameFace(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The family bits of the pitch-and-family byte.
constexpr std::uint8_t FF_ROMAN = 0x10;
constexpr std::uint8_t FF_MODERN = 0x30;
constexpr std::uint8_t FIXED_PITCH = 0x01;

// Heights at 0 take the classic default of the system font.
constexpr int DEFAULT_CHARACTER_HEIGHT = 13;

} // namespace

QString MappedFamily(const LOGFONTA& font) {
    if (font.lfCharSet == SYMBOL_CHARSET) {
        return QString::fromLatin1(SYMBOL.data(), static_cast<qsizetype>(SYMBOL.size()));
    }
    const std::string_view face = FaceName(font);
    for (const auto& [classic, installed] : CLASSIC_FACES) {
        if (SameFace(face, classic)) {
            return QString::fromLatin1(installed.data(), static_cast<qsizetype>(installed.size()));
        }
    }
    if (!face.empty()) {
        return QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size()));
    }
    const std::uint8_t family = font.lfPitchAndFamily & 0xF0;
    if (family == FF_MODERN || (font.lfPitchAndFamily & 0x03) == FIXED_PITCH) {
        return QString::fromLatin1(MONO.data(), static_cast<qsizetype>(MONO.size()));
    }
    if (family == FF_ROMAN) {
        return QString::fromLatin1(SERIF.data(), static_cast<qsizetype>(SERIF.size()));
    }
    return QString::fromLatin1(SANS.data(), static_cast<qsizetype>(SANS.size()));
}

QFont FontFromLogFont(const LOGFONTA& logFont) {
    QFont font(MappedFamily(logFont));
    font.setStyleHint(QFont::AnyStyle, QFont::NoAntialias);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    font.setHintingPreference(QFont::PreferFullHinting);
    // A negative height is the character height, a positive one the cell
    // height with the internal leading; the cell is scaled to fit.
    const std::int64_t height = logFont.lfHeight;
    if (height < 0) {
        font.setPixelSize(static_cast<int>(std::min<std::int64_t>(-height, 2000)));
    } else if (height > 0) {
        const int cell = static_cast<int>(std::min<std::int64_t>(height, 2000));
        font.setPixelSize(cell);
        const int measured = QFontMetrics(font).height();
        if (measured > cell) {
            font.setPixelSize(std::max(1, cell * cell / measured));
        }
    } else {
        font.setPixelSize(DEFAULT_CHARACTER_HEIGHT);
    }
    const int weight = logFont.lfWeight <= 0 ? 400 : std::clamp(logFont.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    font.setKerning(false);
    return font;
}

TextFont TextFontFromLogFont(const LOGFONTA& logFont) {
    TextFont font;
    font.face = FontFromLogFont(logFont);
    // A width of 0 asks for the face's own; a negative one is taken by its
    // size, as the system does.
    font.averageWidth = static_cast<int>(
        std::min<std::int64_t>(std::abs(static_cast<std::int64_t>(logFont.lfWidth)), 2000));
    font.escapement = logFont.lfEscapement % 3600;
    font.symbolCharacters = logFont.lfCharSet == SYMBOL_CHARSET;
    return font;
}
