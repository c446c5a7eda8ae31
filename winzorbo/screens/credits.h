#pragma once

#include <string>

// "credits.txt" beside the program, or the copy in "Zorbo.dat".
std::string load_credits_text();

// The credits of the main menu: headings and names in the current language
// with their own music, two figures from the game walking across, until the
// text ends (and a short wait after it) or a key is pressed.
void run_credits();

// The same on a given text, without touching the music.
void roll_credits(const std::string& credits);
