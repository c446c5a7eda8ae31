#pragma once

// A centred box with one or two lines over the picture, until Space or
// Enter is pressed and released; the picture is then put back. line2 may be
// nullptr.
void message_box(const char* line1, const char* line2);
