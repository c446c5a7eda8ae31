// The desktop snapshot and wallpaper files: where the wallpaper is found and
// how its file is composed.

#include "../imglib/ImgTestSupport.h"

#include "host/DesktopFiles.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <map>

namespace {
using Values = std::map<std::string, std::string>;

WallpaperSources Sources(Values desktop, std::map<std::string, std::string> gsettings = {},
                         std::optional<std::string> fehbg = std::nullopt) {
    WallpaperSources s;
    s.desktopValue = [desktop](const std::string& name) -> std::optional<std::string> {
        const auto it = desktop.find(name);
        return it == desktop.end() ? std::nullopt : std::optional(it->second);
    };
    s.gsettings = [gsettings](const std::string& schema,
                              const std::string& key) -> std::optional<std::string> {
        const auto it = gsettings.find(schema + " " + key);
        return it == gsettings.end() ? std::nullopt : std::optional(it->second);
    };
    s.fehbg = [fehbg] { return fehbg; };
    return s;
}

TEST(WallpaperLookup, SourcesInOrderAndTheirStyles) {
    const struct {
        const char* name;
        WallpaperSources sources;
        std::string path;
        int style;
    } cases[] = {
        {"nothing", Sources({}), "", 0},
        {"settingsCentred", Sources({{"Wallpaper", "/w.bmp"}, {"WallpaperStyle", "0"}}), "/w.bmp",
         0},
        {"settingsStretched", Sources({{"Wallpaper", "/w.bmp"}, {"WallpaperStyle", "2"}}), "/w.bmp",
         2},
        // The tile value wins over a stretching style.
        {"settingsTileWins",
         Sources({{"Wallpaper", "/w.bmp"}, {"WallpaperStyle", "2"}, {"TileWallpaper", "1"}}),
         "/w.bmp", 1},
        // Without a style value the settings name no wallpaper.
        {"settingsNoStyle", Sources({{"Wallpaper", "/w.bmp"}}), "", 0},
        {"gnome",
         Sources({},
                 {{"org.gnome.desktop.background picture-uri", "'file:///home/me/sky%20blue.jpg'"},
                  {"org.gnome.desktop.background picture-options", "'wallpaper'"}}),
         "/home/me/sky blue.jpg", 1},
        {"gnomeNone",
         Sources({}, {{"org.gnome.desktop.background picture-uri", "'file:///a.jpg'"},
                      {"org.gnome.desktop.background picture-options", "'none'"}}),
         "", 0},
        {"cinnamonCentred",
         Sources({}, {{"org.cinnamon.desktop.background picture-uri", "'file:///c.jpg'"},
                      {"org.cinnamon.desktop.background picture-options", "'centered'"}}),
         "/c.jpg", 0},
        {"mateZoom",
         Sources({}, {{"org.mate.background picture-filename", "'/m.jpg'"},
                      {"org.mate.background picture-options", "'zoom'"}}),
         "/m.jpg", 2},
        {"settingsBeforeGnome",
         Sources({{"Wallpaper", "/w.bmp"}, {"WallpaperStyle", "0"}},
                 {{"org.gnome.desktop.background picture-uri", "'file:///g.jpg'"}}),
         "/w.bmp", 0},
        {"feh", Sources({}, {}, "#!/bin/sh\nfeh --no-fehbg --bg-tile '/home/me/t.bmp' \n"),
         "/home/me/t.bmp", 1},
        {"fehScale", Sources({}, {}, "feh --bg-scale \"/x y.jpg\""), "/x y.jpg", 2},
        {"fehCenter", Sources({}, {}, "feh --bg-center /p.jpg"), "/p.jpg", 0},
    };
    for (const auto& c : cases) {
        const WallpaperSetting found = FindWallpaper(c.sources);
        EXPECT_EQ(found.path, c.path) << c.name;
        EXPECT_EQ(found.style, c.style) << c.name;
    }
}

TEST(WallpaperLookup, DesktopColour) {
    WallpaperSources s = Sources({}, {{"org.gnome.desktop.background primary-color", "'#102030'"}});
    EXPECT_EQ(FindDesktopColor(s), qRgb(0x10, 0x20, 0x30));
    s.backgroundColor = [] { return std::optional<std::string>("58 110 165"); };
    EXPECT_EQ(FindDesktopColor(s), qRgb(58, 110, 165));
    EXPECT_EQ(FindDesktopColor(Sources({})), qRgb(0, 0, 0));
}

class WallpaperFile : public ::testing::Test {
protected:
    // A 2 x 2 wallpaper: red, green / blue, white.
    std::string Picture() {
        BmpLayout layout;
        layout.pixels = {0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
        const std::string path = folder.File("wall.bmp");
        WriteFileBytes(path, BuildBmp(layout));
        return path;
    }

    // The written file, decoded, and its detected format.
    Decoded Written(int& format) {
        const Bytes file = ReadFileBytes(out);
        ImgStream* s = img_open_memory(file.data(), file.size());
        format = img_detect_format(s);
        img_close_read(s);
        return format == IMG_FMT_JPEG ? DecodeJpegBytes(file) : DecodeBmpBytes(file);
    }

    static std::uint32_t At(const Decoded& d, int x, int y) {
        const std::uint8_t* p = &d.pixels[(static_cast<std::size_t>(y) * d.width + x) * 3];
        return p[0] << 16 | p[1] << 8 | p[2];
    }

    ScratchFolder folder;
    std::string out = folder.File("wallpaper.bmp");
};

TEST_F(WallpaperFile, ComposedCentredTiledAndStretched) {
    const QRgb desk = qRgb(0x11, 0x22, 0x33);
    int format = 0;
    ASSERT_TRUE(WriteWallpaperFile(out, {Picture(), 0}, QSize(5, 4), desk));
    Decoded d = Written(format);
    EXPECT_EQ(format, IMG_FMT_BMP);
    ASSERT_EQ(d.width, 5);
    ASSERT_EQ(d.height, 4);
    EXPECT_EQ(At(d, 0, 0), 0x112233u);
    EXPECT_EQ(At(d, 1, 1), 0xFF0000u); // centred at ((5-2)/2, (4-2)/2)
    EXPECT_EQ(At(d, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(At(d, 3, 3), 0x112233u);

    ASSERT_TRUE(WriteWallpaperFile(out, {Picture(), 1}, QSize(5, 4), desk));
    d = Written(format);
    EXPECT_EQ(At(d, 0, 0), 0xFF0000u);
    EXPECT_EQ(At(d, 2, 0), 0xFF0000u);
    EXPECT_EQ(At(d, 4, 2), 0xFF0000u);
    EXPECT_EQ(At(d, 3, 3), 0xFFFFFFu);

    ASSERT_TRUE(WriteWallpaperFile(out, {Picture(), 2}, QSize(4, 4), desk));
    d = Written(format);
    EXPECT_EQ(At(d, 0, 0), 0xFF0000u);
    EXPECT_EQ(At(d, 1, 1), 0xFF0000u);
    EXPECT_EQ(At(d, 3, 3), 0xFFFFFFu);
}

TEST_F(WallpaperFile, NoUsablePictureGivesAPlainJpeg) {
    const std::string page = folder.File("page.HTM");
    WriteFileBytes(page, ReadFileBytes(Picture())); // a picture, but named as a page
    for (const std::string& path : {std::string(), page, folder.File("missing.jpg")}) {
        ASSERT_TRUE(WriteWallpaperFile(out, {path, 0}, QSize(16, 8), qRgb(58, 110, 165))) << path;
        int format = 0;
        const Decoded d = Written(format);
        EXPECT_EQ(format, IMG_FMT_JPEG) << path;
        ASSERT_EQ(d.width, 16);
        ASSERT_EQ(d.height, 8);
        for (std::size_t i = 0; i < d.pixels.size(); i += 3) {
            ASSERT_NEAR(d.pixels[i], 58, 2);
            ASSERT_NEAR(d.pixels[i + 1], 110, 2);
            ASSERT_NEAR(d.pixels[i + 2], 165, 2);
        }
    }
}

TEST_F(WallpaperFile, NoScreenWritesNothingAndSaysNothing) {
    std::vector<std::string> shown;
    const MessagePresenter previous =
        SetMessagePresenter([&](const std::string& text, MessageIcon) { shown.push_back(text); });
    EXPECT_FALSE(WriteWallpaperFile(out, {Picture(), 0}, QSize(), qRgb(0, 0, 0)));
    SetMessagePresenter(previous);
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(WallpaperFile, ScreenPictureIsWrittenAsBmp) {
    QImage screen(3, 2, QImage::Format_RGB32);
    screen.fill(qRgb(1, 2, 3));
    screen.setPixel(2, 1, qRgb(200, 100, 50));
    ASSERT_TRUE(WriteScreenFile(out, screen));
    int format = 0;
    const Decoded d = Written(format);
    EXPECT_EQ(format, IMG_FMT_BMP);
    EXPECT_EQ(At(d, 0, 0), 0x010203u);
    EXPECT_EQ(At(d, 2, 1), 0xC86432u);
    EXPECT_FALSE(WriteScreenFile(folder.File("no/dir/x.bmp"), screen));
}
} // namespace
