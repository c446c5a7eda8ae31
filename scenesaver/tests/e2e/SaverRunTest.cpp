#include "E2ESupport.h"

#include "platform/Registry.h"
#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
// A format 4.0 scene block with one pause item, written out by hand:
// reserved u32, signature string, version f32, item count, then kind 4 with
// an empty label, reserved, disabled, milliseconds and random.
std::string SceneBlock(const std::string& signature) {
    std::string block;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            block.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    u32(0);
    block.push_back(static_cast<char>(signature.size()));
    block += signature;
    u32(0x40800000); // 4.0f
    u32(1);
    u32(4);
    block.push_back('\0');
    u32(0);
    u32(0);
    u32(1000);
    u32(0);
    return block;
}

class SaverEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
        std::string pattern = (fs::temp_directory_path() / "saver-e2e-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        for (const char* sub : {"config", "tmp", "runtime"}) {
            fs::create_directory(root / sub);
        }
        fs::permissions(root / "runtime", fs::perms::owner_all);
        environment = {
            {"DISPLAY", server.Display()},
            {"XDG_CONFIG_HOME", (root / "config").string()},
            {"XDG_RUNTIME_DIR", (root / "runtime").string()},
            {"TMPDIR", (root / "tmp").string()},
            {"QT_QPA_PLATFORM", "xcb"},
            {"XSCREENSAVER_WINDOW", ""},
            {"LSAN_OPTIONS", "suppressions=" SCENESAVER_SOURCE_DIR "/tests/platform/lsan.supp"},
        };
        // This process reads and writes the same settings as the saver.
        setenv("XDG_CONFIG_HOME", environment["XDG_CONFIG_HOME"].c_str(), 1);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // A copy of the bare player with the block appended, as the authoring
    // tool makes it.
    std::string MakeSaver(const std::string& name, const std::string& block) {
        const fs::path path = root / name;
        fs::copy_file(SCENESAVER_BIN_DIR "/SceneSaver", path);
        std::ofstream(path, std::ios::app | std::ios::binary) << block;
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }

    // Skips the one-second speed measurement in tests that are not about it.
    static void StoreCalibration() {
        CRegKey key("Software\\Quorvatronics\\Screen Saver");
        ASSERT_TRUE(key.SetString("SysInfo", MachineDescription(GetSystemInfo())));
        ASSERT_TRUE(key.SetDWORD("Times", 1000));
    }

    std::string Tool(const std::vector<std::string>& arguments, int* status = nullptr) {
        return RunTool(arguments, environment, status);
    }

    // The first visible window of the process, waiting for it to appear.
    std::string WaitForWindow(pid_t pid) {
        std::istringstream ids(Tool({"timeout", "20", "xdotool", "search", "--sync",
                                     "--onlyvisible", "--pid", std::to_string(pid)}));
        std::string id;
        ids >> id;
        return id;
    }

    std::string WindowInfo(const std::string& id) { return Tool({"xwininfo", "-id", id}); }

    // Waits until the whole screen is black, as a screenshot shows it.
    bool ScreenTurnsBlack() {
        for (int i = 0; i < 100; ++i) {
            if (Tool({"import", "-window", "root", "-colorspace", "gray", "-format", "%[max]",
                      "info:"}) == "0") {
                return true;
            }
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

    std::vector<std::string> PrivateTempFolders() {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(root / "tmp")) {
            if (entry.path().filename().string().starts_with("scenesaver-")) {
                found.push_back(entry.path().string());
            }
        }
        return found;
    }

    // Records every window mapped on the server while it lives.
    std::unique_ptr<Process> WatchMaps() {
        auto watcher = std::make_unique<Process>(
            std::vector<std::string>{"xev", "-root", "-event", "substructure"}, environment,
            (root / "maps.log").string());
        // xev is listening once it has written its first lines.
        for (int i = 0; i < 100 && fs::file_size(root / "maps.log") == 0; ++i) {
            std::this_thread::sleep_for(20ms);
        }
        return watcher;
    }

    bool AnyWindowMapped() {
        std::ifstream log(root / "maps.log");
        std::stringstream text;
        text << log.rdbuf();
        return text.str().find("MapNotify") != std::string::npos;
    }

    XServer server;
    fs::path root;
    std::map<std::string, std::string> environment;
};
} // namespace

TEST_F(SaverEndToEnd, RunModeShowsBlackFullScreenAndEndsOnTheSecondMouseMove) {
    const std::string saver = MakeSaver("Demo Saver", SceneBlock("SceneSaverBlock"));
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
    EXPECT_TRUE(fs::exists(fs::path(PrivateTempFolders()[0]) / "desktop.bmp"));

    Tool({"xdotool", "mousemove", "20", "20"});
    Tool({"xdotool", "mousemove", "300", "200"});
    EXPECT_EQ(process.WaitForExit(20s), 0);
    EXPECT_TRUE(PrivateTempFolders().empty());
    // The first run measured this machine's speed.
    EXPECT_GT(CRegKey("Software\\Quorvatronics\\Screen Saver").QueryDWORD("Times").value_or(0), 0u);
}

TEST_F(SaverEndToEnd, KeyEndsRunModeUnderStandardSettings) {
    StoreCalibration();
    const std::string saver = MakeSaver("Key Saver", SceneBlock("SceneSaverBlock"));
    auto watcher = WatchMaps();
    Process process({saver, "-S"}, environment);
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
    Tool({"xdotool", "key", "a"});
    EXPECT_EQ(process.WaitForExit(20s), 0);
    watcher.reset();
    EXPECT_TRUE(AnyWindowMapped()); // the watcher sees a saver window when there is one
}

TEST_F(SaverEndToEnd, WrongSignatureStartsNoWindow) {
    StoreCalibration();
    const std::string saver = MakeSaver("Broken Saver", SceneBlock("SceneSaverBlocK"));
    auto watcher = WatchMaps();
    Process process({saver, "/s"}, environment);
    EXPECT_EQ(process.WaitForExit(20s), 1);
    watcher.reset();
    EXPECT_FALSE(AnyWindowMapped());
    EXPECT_TRUE(PrivateTempFolders().empty());
}

TEST_F(SaverEndToEnd, UnknownModeLetterEndsAtOnce) {
    const std::string saver = MakeSaver("Letter Saver", SceneBlock("SceneSaverBlock"));
    auto watcher = WatchMaps();
    Process process({saver, "/x"}, environment);
    EXPECT_EQ(process.WaitForExit(20s), 1);
    watcher.reset();
    EXPECT_FALSE(AnyWindowMapped());
    EXPECT_TRUE(PrivateTempFolders().empty());
}

TEST_F(SaverEndToEnd, TerminationSignalsEndRunModeCleanly) {
    StoreCalibration();
    const std::string saver = MakeSaver("Signal Saver", SceneBlock("SceneSaverBlock"));
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        Process process({saver, "/s"}, environment);
        ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
        EXPECT_EQ(PrivateTempFolders().size(), 1u);
        process.Signal(signal);
        EXPECT_EQ(process.WaitForExit(20s), 0);
        EXPECT_TRUE(PrivateTempFolders().empty());
    }
}

TEST_F(SaverEndToEnd, XScreenSaverRootModeIgnoresInputAndEndsOnSigterm) {
    StoreCalibration();
    const std::string saver = MakeSaver("Hack Saver", SceneBlock("SceneSaverBlock"));
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
    const std::string saver = MakeSaver("Hack Saver", SceneBlock("SceneSaverBlock"));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{saver, "-window-id", "0x7ffffff"},
          std::vector<std::string>{saver, "/p", "0x7ffffff"},
          std::vector<std::string>{saver, "/p"}}) {
        Process process(arguments, environment);
        EXPECT_EQ(process.WaitForExit(20s), 1) << arguments[1];
    }
}
