// Run mode on a display with two screens: the scene plays on the primary
// one, the other is covered in black, and input on either ends the saver.

#include "SaverFixture.h"

#include <thread>

using namespace std::chrono_literals;

namespace {
constexpr std::uint32_t kNavy = 0xff000080;
constexpr std::uint32_t kBlack = 0xff000000;

// Whether every pixel of the screen has this colour.
bool Solid(const XClient::Screen& screen, std::uint32_t colour) {
    if (screen.pixels.empty()) {
        return false;
    }
    for (const std::uint32_t pixel : screen.pixels) {
        if (pixel != colour) {
            return false;
        }
    }
    return true;
}

// Polls both screens until each is wholly its colour, for up to 20 s.
bool ScreensTurn(const std::string& display, std::uint32_t first, std::uint32_t second) {
    XClient primary(display + ".0");
    XClient other(display + ".1");
    for (int i = 0; i < 200; ++i) {
        if (Solid(primary.GrabScreen(), first) && Solid(other.GrabScreen(), second)) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return false;
}
} // namespace

TEST_F(SaverEndToEnd, EveryScreenIsCoveredAndTheScenePlaysOnThePrimaryOne) {
    StoreCalibration();
    XServer twoScreens({"640x480x24", "400x300x24"});
    ASSERT_FALSE(twoScreens.Display().empty()) << "Xvfb did not start";
    environment["DISPLAY"] = twoScreens.Display();
    // A client that stays, as a desktop's do: when its last client leaves, the
    // server starts over, which Xvfb with two screens does not survive.
    XClient desktop(twoScreens.Display());
    const std::string saver = MakeSaver("Two Screen Saver", Signature::Valid, "two-screens.json");

    // Before the saver both screens show the white desktop.
    ASSERT_TRUE(ScreensTurn(twoScreens.Display(), 0xffffffff, 0xffffffff));
    Process process({saver, "/s"}, environment, (root / "saver.log").string());
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty()) << "no window appeared";
    EXPECT_TRUE(ScreensTurn(twoScreens.Display(), kNavy, kBlack))
        << "the scene's navy on the primary screen, black on the other";

    // The mouse resting on the other screen, then moving there, ends it.
    environment["DISPLAY"] = twoScreens.Display() + ".1";
    std::optional<int> status;
    for (int i = 0; i < 40 && !status; ++i) {
        Tool({"xdotool", "mousemove", "--screen", "1", i % 2 == 0 ? "20" : "300",
              i % 2 == 0 ? "20" : "200"});
        status = process.WaitForExit(500ms);
    }
    EXPECT_EQ(status, 0) << "input on the other screen did not end the saver";
    EXPECT_TRUE(ScreensTurn(twoScreens.Display(), 0xffffffff, 0xffffffff))
        << "the desktop comes back on both screens";
}
