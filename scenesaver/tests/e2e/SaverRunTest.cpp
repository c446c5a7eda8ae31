#include "SaverFixture.h"

#include "platform/Registry.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST_F(SaverEndToEnd, RunModeShowsBlackFullScreenAndEndsOnTheSecondMouseMove) {
    const std::string saver = MakeSaver("Demo Saver");
    Process process({saver, "/s"}, environment, (root / "saver.log").string());
    const std::string window = WaitForWindow(process.Pid());
    ASSERT_FALSE(window.empty()) << "no window appeared";
    const std::string info = WindowInfo(window);
    EXPECT_NE(info.find("Absolute upper-left X:  0"), std::string::npos) << info;
    EXPECT_NE(info.find("Absolute upper-left Y:  0"), std::string::npos) << info;
    EXPECT_NE(info.find("Width: 640"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 480"), std::string::npos) << info;
    EXPECT_TRUE(ScreenTurnsBlack());
    ASSERT_EQ(PrivateTempFolders().size(), 1u);
    // A scene that shows neither the desktop nor the wallpaper needs no
    // picture of them.
    EXPECT_FALSE(fs::exists(fs::path(PrivateTempFolders()[0]) / "desktop.bmp"));
    EXPECT_FALSE(fs::exists(fs::path(PrivateTempFolders()[0]) / "wallpaper.bmp"));
    // Nor does it play a video, so the video decoder's libraries were never
    // loaded.
    std::ifstream maps("/proc/" + std::to_string(process.Pid()) + "/maps");
    const std::string mapped((std::istreambuf_iterator<char>(maps)), {});
    EXPECT_NE(mapped.find("libQt6Gui"), std::string::npos);
    EXPECT_EQ(mapped.find("libavformat"), std::string::npos);

    // The first position the window sees only marks where the mouse rests.
    Tool({"xdotool", "mousemove", "20", "20"});
    EXPECT_FALSE(process.WaitForExit(500ms));
    EXPECT_EQ(MoveMouseUntilExit(process), 0);
    EXPECT_TRUE(PrivateTempFolders().empty());
    // The first run measured this machine's speed.
    EXPECT_GT(CRegKey("Software\\Quorvatronics\\Screen Saver").QueryDWORD("Times").value_or(0), 0u);
}

TEST_F(SaverEndToEnd, KeyEndsRunModeUnderStandardSettings) {
    StoreCalibration();
    const std::string saver = MakeSaver("Key Saver");
    auto watcher = WatchMaps();
    Process process({saver, "-S"}, environment);
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
    Tool({"xdotool", "key", "a"});
    EXPECT_EQ(process.WaitForExit(20s), 0);
    watcher.reset();
    EXPECT_TRUE(AnyWindowMapped()); // the watcher sees a saver window when there is one
}

TEST_F(SaverEndToEnd, BadBlockOrUnknownLetterStartsNoWindow) {
    StoreCalibration();
    struct Case {
        Signature signature;
        const char* mode;
    };
    for (const Case& c : {Case{Signature::Broken, "/s"}, Case{Signature::Valid, "/x"}}) {
        SCOPED_TRACE(c.mode);
        const std::string saver = MakeSaver(std::string("Saver ") + c.mode[1], c.signature);
        auto watcher = WatchMaps();
        Process process({saver, c.mode}, environment);
        EXPECT_EQ(process.WaitForExit(20s), 1);
        watcher.reset();
        EXPECT_FALSE(AnyWindowMapped());
        EXPECT_TRUE(PrivateTempFolders().empty());
    }
}

TEST_F(SaverEndToEnd, TerminationSignalsEndEveryModeCleanly) {
    StoreCalibration();
    const std::string saver = MakeSaver("Signal Saver");
    struct Case {
        int signal;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {SIGTERM, {saver, "/s"}},      {SIGINT, {saver, "/s"}},
        {SIGHUP, {saver, "/s"}},       {SIGTERM, {saver, "/c"}}, // the settings dialog
        {SIGTERM, {saver, "/a", "0"}},                           // the new-password dialog
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signal << " " << c.arguments[1]);
        Process process(c.arguments, environment);
        ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
        EXPECT_EQ(PrivateTempFolders().size(), 1u);
        process.Signal(c.signal);
        EXPECT_EQ(process.WaitForExit(20s), 0);
        EXPECT_TRUE(PrivateTempFolders().empty());
    }
    // Nothing was stored on the way out.
    EXPECT_EQ(CRegKey("Software\\Quorvatronics\\Screen Saver\\Signal Saver\\Settings")
                  .QueryDWORD("Standard"),
              std::nullopt);
}

TEST_F(SaverEndToEnd, XScreenSaverRootModeIgnoresInputAndEndsOnSigterm) {
    StoreCalibration();
    const std::string saver = MakeSaver("Hack Saver");
    Process process({saver, "-root"}, environment);
    const std::string window = WaitForWindow(process.Pid());
    ASSERT_FALSE(window.empty());
    EXPECT_NE(WindowInfo(window).find("Width: 640"), std::string::npos);
    EXPECT_TRUE(ScreenTurnsBlack());
    Tool({"xdotool", "mousemove", "20", "20"});
    Tool({"xdotool", "mousemove", "300", "200"});
    Tool({"xdotool", "key", "Escape"});
    EXPECT_FALSE(process.WaitForExit(500ms)); // the daemon decides, not the input
    process.Signal(SIGTERM);
    EXPECT_EQ(process.WaitForExit(20s), 0);
    EXPECT_TRUE(PrivateTempFolders().empty());
}

TEST_F(SaverEndToEnd, MissingWindowIdEndsWithoutWindow) {
    StoreCalibration();
    const std::string saver = MakeSaver("Hack Saver");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{saver, "-window-id", "0x7ffffff"},
          std::vector<std::string>{saver, "/p", "0x7ffffff"},
          std::vector<std::string>{saver, "/p"}}) {
        Process process(arguments, environment);
        EXPECT_EQ(process.WaitForExit(20s), 1) << arguments[1];
    }
}
