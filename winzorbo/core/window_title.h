#pragma once

#include <string>
#include <string_view>

// The window title follows the game's language. The texts are Windows-1252;
// the desktop gets UTF-8. The last title set is kept for whoever asks.
void show_window_title(std::string_view cp1252_title);
const std::string& window_title();
