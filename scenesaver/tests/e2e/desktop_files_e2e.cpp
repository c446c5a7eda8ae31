// The desktop snapshot and the wallpaper picture are written at start, in
// the private temporary folder, for a scene that shows them, and are gone
// when the saver ends.

#include "SaverFixture.h"

#include "imglib/ImgLib.h"
#include "platform/Registry.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
struct Picture {
    int format = IMG_FMT_UNKNOWN;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

Picture Decode(const fs::path& path) {
    Picture picture;
    ImgStream* stream = img_open_read(path.c_str());
    if (stream == nullptr) {
        return picture;
    }
    picture.format = img_detect_format(stream);
    img_seek(stream, 0, SEEK_SET);
    ImgBuffer pixels;
    if (picture.format == IMG_FMT_BMP) {
        pixels = img_read_bmp(stream, &picture.width, &picture.height, 24, nullptr);
    } else if (picture.format == IMG_FMT_JPEG) {
        pixels = img_read_jpeg(stream, &picture.width, &picture.height, 24);
    }
    img_close_read(stream);
    if (pixels) {
        picture.rgb.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(picture.width) *
                                                            picture.height * 3);
    }
    return picture;
}

std::uint32_t At(const Picture& p, int x, int y) {
    const std::uint8_t* c = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
    return static_cast<std::uint32_t>(c[0] << 16 | c[1] << 8 | c[2]);
}

// A 3 x 2 wallpaper: red, green, blue over yellow, cyan, magenta.
void WriteWallpaper(const fs::path& path) {
    const std::uint8_t rgb[] = {255, 0,   0, 0, 255, 0,   0,   0, 255,
                                255, 255, 0, 0, 255, 255, 255, 0, 255};
    ImgStream* out = img_open_write(path.c_str());
    ASSERT_NE(out, nullptr);
    ASSERT_GT(img_write_bmp(out, rgb, 3, 2, 24, 0, nullptr, 0), 0);
    img_close_write(out);
}
} // namespace

class DesktopFiles : public SaverEndToEnd {
protected:
    void SetUp() override {
        SaverEndToEnd::SetUp();
        StoreCalibration();
        environment["HOME"] = root.string(); // no feh script of the machine's user
        ASSERT_TRUE(CRegKey("Control Panel\\Colors").SetString("Background", "0 0 128"));
    }

    // Starts the saver in run mode and waits for its window; null when it
    // did not come up with one private temporary folder.
    std::unique_ptr<Process> StartRun(const std::string& name) {
        auto process = std::make_unique<Process>(
            std::vector<std::string>{MakeSaver(name, Signature::Valid, "desktop-pictures.json"),
                                     "/s"},
            environment, (root / "saver.log").string());
        if (WaitForWindow(process->Pid()).empty() || PrivateTempFolders().size() != 1) {
            ADD_FAILURE() << "no window or no private folder";
            return nullptr;
        }
        folder = PrivateTempFolders()[0];
        return process;
    }

    fs::path folder;
};

TEST_F(DesktopFiles, LiveAsLongAsTheRun) {
    const fs::path wallpaper = root / "tiles.bmp";
    WriteWallpaper(wallpaper);
    CRegKey desktop("Control Panel\\Desktop");
    ASSERT_TRUE(desktop.SetString("Wallpaper", wallpaper.string()));
    ASSERT_TRUE(desktop.SetString("WallpaperStyle", "0"));
    ASSERT_TRUE(desktop.SetString("TileWallpaper", "1"));

    auto process = StartRun("Files Saver");
    ASSERT_TRUE(process);

    // The snapshot shows the screen before the saver covered it: the test
    // server's white root window, at the screen's full size.
    const Picture shot = Decode(folder / "desktop.bmp");
    EXPECT_EQ(shot.format, IMG_FMT_BMP);
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    EXPECT_EQ(At(shot, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(At(shot, 639, 479), 0xFFFFFFu);

    // The wallpaper, tiled from the top-left corner over the whole screen.
    const Picture wall = Decode(folder / "wallpaper.bmp");
    EXPECT_EQ(wall.format, IMG_FMT_BMP);
    ASSERT_EQ(wall.width, 640);
    ASSERT_EQ(wall.height, 480);
    EXPECT_EQ(At(wall, 0, 0), 0xFF0000u);
    EXPECT_EQ(At(wall, 4, 0), 0x00FF00u);
    EXPECT_EQ(At(wall, 5, 3), 0xFF00FFu);
    EXPECT_EQ(At(wall, 639, 479), 0xFFFF00u); // 639 = 3 * 213, 479 is odd

    EXPECT_EQ(MoveMouseUntilExit(*process), 0);
    EXPECT_FALSE(fs::exists(folder / "desktop.bmp"));
    EXPECT_FALSE(fs::exists(folder / "wallpaper.bmp"));
    EXPECT_TRUE(PrivateTempFolders().empty());
}

TEST_F(DesktopFiles, WithoutUsableWallpaperTheFileIsThePlainDesktopColour) {
    CRegKey desktop("Control Panel\\Desktop");
    // A web page as wallpaper cannot be shown.
    ASSERT_TRUE(desktop.SetString("Wallpaper", (root / "page.htm").string()));
    ASSERT_TRUE(desktop.SetString("WallpaperStyle", "2"));

    auto process = StartRun("Plain Saver");
    ASSERT_TRUE(process);
    const Picture wall = Decode(folder / "wallpaper.bmp");
    EXPECT_EQ(wall.format, IMG_FMT_JPEG);
    ASSERT_EQ(wall.width, 640);
    ASSERT_EQ(wall.height, 480);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{320, 240}, std::pair{639, 479}}) {
        const std::uint32_t c = At(wall, x, y);
        EXPECT_LE(c >> 16, 2u);
        EXPECT_LE((c >> 8) & 255, 2u);
        EXPECT_NEAR(static_cast<int>(c & 255), 128, 2);
    }
    process->Signal(SIGTERM);
    EXPECT_EQ(process->WaitForExit(20s), 0);
    EXPECT_TRUE(PrivateTempFolders().empty());
}
