#pragma once

#include <string>

// Every temporary file of the process ("desktop.bmp", "wallpaper.bmp", the
// "Ssd" files of embedded data) lives in one private folder, mode 0700, inside
// the user's temporary folder, so that other users can neither read nor
// replace them and one removal at exit leaves nothing behind.

// The private folder, with a trailing '/'; created on first use. Empty when it
// cannot be created.
std::string PrivateTempFolder();

// Creates a new, empty, uniquely named file in the private folder whose name
// starts with the prefix (at most three characters are used) and returns its
// full path; empty when no file could be made.
std::string MakeTempFile(const std::string& prefix);

// Removes the private folder and everything in it. Safe to call more than
// once and from a signal-driven shutdown path on the main thread.
void RemovePrivateTempFolder();
