#pragma once

#include "platform/TextDrawing.h"

#include <QFont>

#include <cstdint>

struct LOGFONTA;

// The character set whose bytes name the glyphs of the symbol font.
inline constexpr std::uint8_t SYMBOL_CHARSET = 2;

// The font a stored font description asks for. The classic faces scenes were
// made with map to installed fonts with the same metrics; drawing is without
// antialiasing so that every pixel is either ink or background.
QFont FontFromLogFont(const LOGFONTA& font);

// The installed family that stands for a classic face; the face itself when
// none is known. A font of the symbol character set is the symbol font
// whatever its face.
QString MappedFamily(const LOGFONTA& font);

// The whole font record for drawing text pictures: the face, and its
// average character width, escapement and character set.
TextFont TextFontFromLogFont(const LOGFONTA& font);
