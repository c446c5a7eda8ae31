#pragma once

#include <QString>

#include <string>

// Text in a font of the symbol character set is not Windows-1252: each byte
// names a glyph of the classic symbol font (Greek letters, arrows,
// mathematical signs). The Unicode characters those glyphs stand for;
// codes the font leaves empty become U+FFFD.
QString FromSymbolCharacters(const std::string& text);
