#pragma once

#include <QFont>
#include <QImage>

#include <string>
#include <vector>

// A font for drawing 8-bit text: the face and size, and what a face alone
// does not say.
struct TextFont {
    QFont face;
    int averageWidth = 0;          // pixels; 0 keeps the face's own width
    int escapement = 0;            // tenths of a degree, counter-clockwise
    bool symbolCharacters = false; // the bytes are symbol font codes
};

// Fonts need the application's font database; without it nothing can be
// measured or drawn.
bool CanDrawText();

// The width of 8-bit text in the font, and the height of one line, before
// any turn.
int TextWidth(const TextFont& font, const std::string& text);
int TextLineHeight(const TextFont& font);

// Draws lines of 8-bit text one under the other from the top left into a
// new bitmap of the given size filled with paper, without antialiasing, so
// that every pixel is ink or paper. With an escapement the drawn block is
// turned about its centre and the bitmap grows to hold all of it. Null when
// no bitmap can be made.
QImage DrawTextLines(const TextFont& font, const std::vector<std::string>& lines, QSize size,
                     QRgb ink, QRgb paper);
