#pragma once

// A centred box with one or two lines over the picture, until Space or
// Enter is pressed and released; the picture is then put back. line2 may be
// nullptr.
void message_box(const char* line1, const char* line2);

// A line centred at x with the boxes' shadow: twice in colour 239 one pixel
// to the right (and one down), then in 254.
void shadowed_text(const char* line, int x, int y);
