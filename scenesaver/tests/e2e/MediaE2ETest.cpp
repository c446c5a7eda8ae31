// Music and a video in the real saver on a private X server, with SDL's disk
// driver for a sound device: the PCM written is the track's, the video's
// frames appear at the item's position, and a mouse move ends the saver at
// once while both play.

#include "../media/MediaTestSupport.h"
#include "SaverFixture.h"

#include <QImage>

#include <fstream>
#include <iostream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
constexpr int kVideoX = 200;
constexpr int kVideoY = 150;

// The background the test chose, and the video fixture's own colour.
bool IsBackground(std::uint32_t pixel) {
    return (pixel & 0xFFFFFF) == 0x600020;
}
bool IsVideoColour(std::uint32_t pixel) {
    const int red = static_cast<int>((pixel >> 16) & 0xFF);
    const int green = static_cast<int>((pixel >> 8) & 0xFF);
    const int blue = static_cast<int>(pixel & 0xFF);
    return std::abs(red - 0x30) <= 6 && std::abs(green - 0x60) <= 6 && std::abs(blue - 0xC0) <= 6;
}
std::uint32_t At(const XClient::Screen& screen, int x, int y) {
    return screen.pixels[static_cast<std::size_t>(y * screen.width + x)];
}
} // namespace

class MediaEndToEnd : public SaverEndToEnd {
protected:
    // A manifest in the test's folder beside copies of the fixtures.
    std::string WriteManifest() {
        for (const char* name : {"colour-64x48.avi", "long-44100-stereo.mp3"}) {
            fs::copy_file(fs::path(SCENESAVER_MEDIA_FIXTURES) / name, root / name);
        }
        const fs::path manifest = root / "media.json";
        std::ofstream(manifest) << R"({"items": [
  {"kind": "media", "label": "Clip", "type": "video", "file": "colour-64x48.avi"},
  {"kind": "media", "label": "Music", "type": "mp3", "file": "long-44100-stereo.mp3"},
  {"kind": "background", "label": "Wine red", "color": {"color": "#600020", "useScreenColor": false}},
  {"kind": "play", "label": "Clip", "media": "Clip", "loop": true, "videoPosition": [)"
                                << kVideoX << ", " << kVideoY << R"(]},
  {"kind": "play", "label": "Music", "media": "Music", "wait": true, "loop": true},
  {"kind": "background", "label": "Never", "color": {"color": "#FFFFFF", "useScreenColor": false}}
]})";
        return manifest.string();
    }
};

TEST_F(MediaEndToEnd, MusicAndVideoPlayAndAMouseMoveEndsThemAtOnce) {
    StoreCalibration();
    const std::string saver = MakeSaver("Media Saver", Signature::Valid, WriteManifest());
    const fs::path pcm = root / "played.pcm";
    environment["SDL_AUDIODRIVER"] = "disk";
    environment["SDL_DISKAUDIOFILE"] = pcm.string();
    XClient display(server.Display());
    ASSERT_TRUE(display.Connected());
    auto reference = ReferenceDecode(MediaFixture("long-44100-stereo.mp3"), 22050, 2);
    ASSERT_GT(reference.size(), 44100u);
    reference.resize(44100); // the music's first second as 22 kHz 8-bit stereo

    // "At once" means the saver does not wait for the looping music or video
    // to end; how quickly it goes is media-bench's figure. A second is far
    // below either and far above a sanitizer build's stop on a busy machine.
    // The best of up to three runs, as a busy machine may slow one.
    constexpr auto kAtOnce = 1000ms;
    auto fastest = std::chrono::milliseconds::max();
    for (int run = 0; run < 3 && fastest >= kAtOnce; ++run) {
        fs::remove(pcm);
        Process process({saver, "/s"}, environment, (root / "saver.log").string());
        ASSERT_FALSE(WaitForWindow(process.Pid()).empty()) << "no window appeared";

        // The video's frames at the item's position, on the background around it.
        XClient::Screen shot;
        const bool shown = Eventually([&] {
            shot = display.GrabScreen();
            return !shot.pixels.empty() && IsVideoColour(At(shot, kVideoX + 32, kVideoY + 24));
        });
        ASSERT_TRUE(shown) << "no video frame at the item's position";
        EXPECT_TRUE(IsVideoColour(At(shot, kVideoX + 1, kVideoY + 1)));
        EXPECT_TRUE(IsVideoColour(At(shot, kVideoX + 62, kVideoY + 46)));
        EXPECT_TRUE(IsBackground(At(shot, kVideoX - 2, kVideoY + 24)));
        EXPECT_TRUE(IsBackground(At(shot, kVideoX + 66, kVideoY + 24)));
        EXPECT_TRUE(IsBackground(At(shot, kVideoX + 32, kVideoY + 50)));

        EXPECT_TRUE(Eventually([&] { return CountOccurrences(ReadBytes(pcm), reference) == 1; }))
            << "the PCM written is not the track's";

        // The first move only marks where the mouse rests.
        display.MovePointer(20, 20);
        std::this_thread::sleep_for(500ms);
        ASSERT_FALSE(process.WaitForExit(0ms)) << "the first move ended the saver";
        const auto start = std::chrono::steady_clock::now();
        display.MovePointer(300, 200);
        const bool gone = Eventually(
            [&] {
                shot = display.GrabScreen();
                return !shot.pixels.empty() && !IsBackground(At(shot, 10, 10)) &&
                       !IsVideoColour(At(shot, kVideoX + 32, kVideoY + 24));
            },
            5s);
        const auto latency = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        ASSERT_TRUE(gone) << "the saver still shows after the mouse move";
        std::cout << "mouse move to the saver gone, with music and video playing: "
                  << latency.count() << " ms\n";
        fastest = std::min(fastest, latency);
        EXPECT_EQ(process.WaitForExit(20s), 0);
        EXPECT_TRUE(PrivateTempFolders().empty()) << "the temporary folder and its video are gone";
    }
    EXPECT_LT(fastest, kAtOnce);
}
