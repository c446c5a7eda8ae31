#pragma once

#include <string>

// The two picture files every start leaves in the private temporary folder so
// that scene pictures can show the desktop or the wallpaper like any other
// picture file.

// Writes what the whole screen shows right now as a 24-bit BMP file. Must run
// on the GUI thread. Returns false when nothing usable was written.
bool WriteDesktopSnapshot(const std::string& path);

// Writes the user's wallpaper composed to the screen's size on the desktop
// colour (a 24-bit BMP), or a plain desktop-colour picture (a JPEG under the
// same name) when there is no usable wallpaper. Sets style to the wallpaper
// style found: 0 centred, 1 tiled, 2 stretched. Returns false when nothing
// usable was written.
bool WriteWallpaperImage(const std::string& path, int& style);
