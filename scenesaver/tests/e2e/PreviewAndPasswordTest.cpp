#include "SaverFixture.h"

#include "host/Password.h"
#include "platform/AppProfile.h"
#include "platform/Registry.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
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
    SetPasswordWithChangeMode(saver, "Pw1");
    CAppProfile profile("Quorvatronics\\Screen Saver", "Password Saver");
    EXPECT_TRUE(PasswordMatches(QStringLiteral("Pw1"), StoredPassword(profile)));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("Pw2"), StoredPassword(profile)));
}

TEST_F(SaverEndToEnd, ASaverStartedThroughALinkGoesByTheLinksName) {
    const std::string saver = MakeSaver("Target Saver");
    const std::string link = (root / "Linked Saver").string();
    std::filesystem::create_symlink(saver, link);
    SetPasswordWithChangeMode(link, "Pw1");
    // The link's settings hold the password; the target's have none.
    const CAppProfile linked("Quorvatronics\\Screen Saver", "Linked Saver");
    const CAppProfile target("Quorvatronics\\Screen Saver", "Target Saver");
    EXPECT_TRUE(PasswordMatches(QStringLiteral("Pw1"), StoredPassword(linked)));
    EXPECT_EQ(StoredPassword(target), "");
}

TEST_F(SaverEndToEnd, PasswordOnExitTurnsAWrongOneAwayAndTakesTheRightOne) {
    StoreCalibration();
    const std::string saver = MakeSaver("Locked Saver");
    SetPasswordWithChangeMode(saver, "Pw1");
    ASSERT_TRUE(CRegKey("Control Panel\\Desktop").SetDWORD("ScreenSaveUsePassword", 1));

    Process process({saver, "/s"}, environment);
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
    // The first position only marks where the mouse rests; the next one asks.
    std::string prompt;
    for (int i = 0; i < 40 && prompt.empty(); ++i) {
        Tool({"xdotool", "mousemove", i % 2 == 0 ? "20" : "300", i % 2 == 0 ? "20" : "200"});
        std::this_thread::sleep_for(100ms);
        // Searching by name also finds the saver window: the title decides.
        for (const std::string& id : VisibleWindows(process.Pid())) {
            if (Tool({"xdotool", "getwindowname", id}) == "Password\n") {
                prompt = id;
            }
        }
    }
    ASSERT_FALSE(prompt.empty()) << "no password prompt";

    // A wrong password of the same length: the message, and the saver stays.
    const std::vector<std::string> before = VisibleWindows(process.Pid());
    Tool({"xdotool", "windowfocus", "--sync", prompt});
    Tool({"xdotool", "type", "--delay", "50", "Pw2"});
    Tool({"xdotool", "key", "Return"});
    std::string message;
    for (int i = 0; i < 200 && message.empty(); ++i) {
        for (const std::string& id : VisibleWindows(process.Pid())) {
            if (std::find(before.begin(), before.end(), id) == before.end()) {
                message = id;
            }
        }
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_FALSE(message.empty()) << "no message about the wrong password";
    // A key that comes before the box has the focus is lost: press until it
    // goes.
    const auto showing = [&](const std::string& id) {
        const std::vector<std::string> now = VisibleWindows(process.Pid());
        return std::find(now.begin(), now.end(), id) != now.end();
    };
    for (int i = 0; i < 40 && showing(message); ++i) {
        Tool({"xdotool", "windowfocus", "--sync", message});
        Tool({"xdotool", "key", "Return"});
        std::this_thread::sleep_for(250ms);
    }
    ASSERT_FALSE(showing(message)) << "the message box stays";
    EXPECT_FALSE(process.WaitForExit(1s)) << "a wrong password ended the saver";
    EXPECT_TRUE(showing(prompt)) << "the prompt went with the wrong password";

    // The right one; the prompt was emptied for it.
    Tool({"xdotool", "windowfocus", "--sync", prompt});
    std::this_thread::sleep_for(300ms);
    Tool({"xdotool", "type", "--delay", "50", "Pw1"});
    Tool({"xdotool", "key", "Return"});
    EXPECT_EQ(process.WaitForExit(20s), 0);
}
