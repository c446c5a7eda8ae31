#include "SaverFixture.h"

#include "platform/Registry.h"
#include "platform/SystemInfo.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void SaverEndToEnd::SetUp() {
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
        // No session bus: Qt's accessibility bridge would otherwise wait for
        // one to be found or started while the first window is shown.
        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (root / "no-bus").string()},
        {"LSAN_OPTIONS", "suppressions=" SCENESAVER_SOURCE_DIR "/tests/platform/lsan.supp"},
    };
    // This process reads and writes the same settings as the saver.
    setenv("XDG_CONFIG_HOME", environment["XDG_CONFIG_HOME"].c_str(), 1);
}

void SaverEndToEnd::TearDown() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

std::string SaverEndToEnd::MakeSaver(const std::string& name, Signature signature,
                                     const std::string& manifest) {
    // scenepack writes the bare block; appending it to a copy of the player
    // is what its full build does, without re-reading the large sanitizer
    // build of the player in every test.
    const fs::path source = fs::path(SCENESAVER_SOURCE_DIR "/tests/e2e") / manifest;
    const fs::path block = root / (source.filename().string() + ".block");
    if (!fs::exists(block)) {
        int status = -1;
        RunTool({SCENESAVER_BIN_DIR "/scenepack", "build", source.string(), "-o", block.string(),
                 "--raw"},
                environment, &status);
        EXPECT_EQ(status, 0) << "scenepack failed";
    }
    std::stringstream bytes;
    bytes << std::ifstream(block, std::ios::binary).rdbuf();
    std::string text = bytes.str();
    if (signature == Signature::Broken) {
        const size_t at = text.find("SceneSaverBlock");
        EXPECT_NE(at, std::string::npos);
        text[at + 14] = 'K';
    }
    const fs::path path = root / name;
    fs::copy_file(SCENESAVER_BIN_DIR "/SceneSaver", path);
    std::ofstream(path, std::ios::app | std::ios::binary) << text;
    fs::permissions(path, fs::perms::owner_all);
    return path.string();
}

void SaverEndToEnd::StoreCalibration() {
    CRegKey key("Software\\Quorvatronics\\Screen Saver");
    ASSERT_TRUE(key.SetString("SysInfo", MachineDescription(GetSystemInfo())));
    ASSERT_TRUE(key.SetDWORD("Times", 1000));
}

std::string SaverEndToEnd::Tool(const std::vector<std::string>& arguments, int* status) {
    return RunTool(arguments, environment, status);
}

std::string SaverEndToEnd::WaitForWindow(pid_t pid) {
    std::istringstream ids(Tool({"timeout", "20", "xdotool", "search", "--sync", "--onlyvisible",
                                 "--pid", std::to_string(pid)}));
    std::string id;
    ids >> id;
    return id;
}

std::vector<std::string> SaverEndToEnd::VisibleWindows(pid_t pid) {
    std::istringstream ids(
        Tool({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)}));
    std::vector<std::string> found;
    for (std::string id; ids >> id;) {
        found.push_back(id);
    }
    return found;
}

std::string SaverEndToEnd::WindowInfo(const std::string& id) {
    return Tool({"xwininfo", "-id", id});
}

std::optional<int> SaverEndToEnd::MoveMouseUntilExit(Process& process) {
    for (int i = 0; i < 40; ++i) {
        Tool({"xdotool", "mousemove", i % 2 == 0 ? "20" : "300", i % 2 == 0 ? "20" : "200"});
        if (const auto status = process.WaitForExit(500ms)) {
            return status;
        }
    }
    return std::nullopt;
}

bool SaverEndToEnd::ScreenTurnsBlack() {
    for (int i = 0; i < 100; ++i) {
        if (Tool({"import", "-window", "root", "-colorspace", "gray", "-format", "%[max]",
                  "info:"}) == "0") {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

std::vector<std::string> SaverEndToEnd::PrivateTempFolders() {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(root / "tmp")) {
        if (entry.path().filename().string().starts_with("scenesaver-")) {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

std::unique_ptr<Process> SaverEndToEnd::WatchMaps() {
    const fs::path log = root / "maps.log";
    auto watcher = std::make_unique<Process>(
        std::vector<std::string>{"xev", "-root", "-event", "substructure"}, environment,
        log.string());
    // xev is listening once it reports a window that we create unmapped.
    XClient client(server.Display());
    for (int i = 0; i < 100; ++i) {
        client.DestroyWindow(client.CreateWindow(1, 1, false));
        std::ifstream text(log);
        std::stringstream content;
        content << text.rdbuf();
        if (content.str().find("CreateNotify") != std::string::npos) {
            break;
        }
        std::this_thread::sleep_for(50ms);
    }
    return watcher;
}

bool SaverEndToEnd::AnyWindowMapped() {
    std::ifstream log(root / "maps.log");
    std::stringstream text;
    text << log.rdbuf();
    return text.str().find("MapNotify") != std::string::npos;
}

void SaverEndToEnd::SetPasswordWithChangeMode(const std::string& saver,
                                              const std::string& password) {
    Process process({saver, "/a", "0"}, environment);
    const std::string dialog = WaitForWindow(process.Pid());
    ASSERT_FALSE(dialog.empty());
    EXPECT_NE(Tool({"xdotool", "getwindowname", dialog}).find("New password"), std::string::npos);
    Tool({"xdotool", "windowfocus", "--sync", dialog});
    Tool({"xdotool", "type", "--delay", "50", password});
    Tool({"xdotool", "key", "Tab"});
    Tool({"xdotool", "type", "--delay", "50", password});
    Tool({"xdotool", "key", "Return"});
    // The confirmation box, then the end of the program.
    for (int i = 0; i < 100 && !process.WaitForExit(100ms); ++i) {
        Tool({"xdotool", "key", "Return"});
    }
    EXPECT_EQ(process.WaitForExit(20s), 0);
}
