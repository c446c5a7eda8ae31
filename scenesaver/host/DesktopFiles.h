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

// The pieces behind the two calls, for tests and tools.

#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

struct WallpaperSetting {
    std::string path; // empty: no wallpaper
    int style = 0;
};

// Where the wallpaper lookup reads from. Each source may be left empty.
struct WallpaperSources {
    // A value of our own settings' "Control Panel\Desktop" key.
    std::function<std::optional<std::string>(const std::string& name)> desktopValue;
    // Our own settings' "Control Panel\Colors" "Background" value ("R G B").
    std::function<std::optional<std::string>()> backgroundColor;
    // The value gsettings prints for the schema's key, without its newline.
    std::function<std::optional<std::string>(const std::string& schema, const std::string& key)>
        gsettings;
    // The contents of ~/.fehbg.
    std::function<std::optional<std::string>()> fehbg;
};

// The sources of this machine: our settings (the "Control Panel\Desktop" and
// "Control Panel\Colors" groups of System.ini in the settings folder, with
// the values "Wallpaper", "WallpaperStyle", "TileWallpaper" and
// "Background"), then the desktops' settings read once through gsettings, then
// ~/.fehbg.
WallpaperSources SystemWallpaperSources();

// The first wallpaper found: our own settings, then the GNOME, Cinnamon and
// MATE desktop settings, then feh's start-up script.
WallpaperSetting FindWallpaper(const WallpaperSources& sources);

// The desktop colour: our own settings' "Control Panel\Colors" "Background"
// ("R G B"), else the GNOME primary colour, else black.
QRgb FindDesktopColor(const WallpaperSources& sources);

// Writes the wallpaper file for the given setting on a screen of that size.
bool WriteWallpaperFile(const std::string& path, const WallpaperSetting& wallpaper, QSize screen,
                        QRgb desktopColor);

// Writes a picture of the screen as a 24-bit BMP file.
bool WriteScreenFile(const std::string& path, const QImage& screen);
