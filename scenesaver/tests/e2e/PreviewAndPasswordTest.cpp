#include "SaverFixture.h"

#include "host/Password.h"
#include "platform/AppProfile.h"

#include <thread>

using namespace std::chrono_literals;

namespace {
// The number of children xwininfo lists for a window, -1 when it has none
// to report.
int ChildCount(const std::string& info) {
    const size_t at = info.find(" child");
    if (at == std::string::npos) {
        return -1;
    }
    size_t start = info.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    return std::atoi(info.c_str() + start);
}
} // namespace

TEST_F(SaverEndToEnd, PreviewLivesInsideItsParentUntilTheParentIsDestroyed) {
    StoreCalibration();
    XClient client(server.Display());
    ASSERT_TRUE(client.Connected());
    const std::uint32_t parent = client.CreateWindow(200, 150, true);
    const std::string saver = MakeSaver("Preview Saver");
    Process process({saver, "/p", std::to_string(parent)}, environment);

    std::string tree;
    for (int i = 0; i < 200 && ChildCount(tree) < 1; ++i) {
        std::this_thread::sleep_for(50ms);
        tree = Tool({"xwininfo", "-children", "-id", std::to_string(parent)});
    }
    ASSERT_GE(ChildCount(tree), 1) << tree;
    EXPECT_NE(tree.find("200x150+0+0"), std::string::npos) << tree;
    EXPECT_FALSE(process.WaitForExit(300ms)); // runs until the parent goes

    client.DestroyWindow(parent);
    EXPECT_EQ(process.WaitForExit(20s), 0);
    EXPECT_TRUE(PrivateTempFolders().empty());
}

TEST_F(SaverEndToEnd, ChangePasswordModeStoresTheTypedPassword) {
    const std::string saver = MakeSaver("Password Saver");
    Process process({saver, "/a", "0"}, environment);
    const std::string dialog = WaitForWindow(process.Pid());
    ASSERT_FALSE(dialog.empty());
    EXPECT_NE(Tool({"xdotool", "getwindowname", dialog}).find("New password"), std::string::npos);
    Tool({"xdotool", "windowfocus", "--sync", dialog});
    Tool({"xdotool", "type", "--delay", "50", "Pw1"});
    Tool({"xdotool", "key", "Tab"});
    Tool({"xdotool", "type", "--delay", "50", "Pw1"});
    Tool({"xdotool", "key", "Return"});
    // The confirmation box, then the end of the program.
    for (int i = 0; i < 100 && !process.WaitForExit(100ms); ++i) {
        Tool({"xdotool", "key", "Return"});
    }
    EXPECT_EQ(process.WaitForExit(20s), 0);
    CAppProfile profile("Quorvatronics\\Screen Saver", "Password Saver");
    EXPECT_EQ(StoredPassword(profile), ScramblePassword("Pw1"));
}
