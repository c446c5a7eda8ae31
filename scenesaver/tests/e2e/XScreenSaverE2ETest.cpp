// The saver as an XScreenSaver hack, run by the real daemon: installed with
// scenepack install, named in a private ~/.xscreensaver by the line that
// scenepack printed, activated with xscreensaver-command, seen on the
// screen, and gone again when the daemon is told to deactivate.

#include "SaverFixture.h"

#include <QImage>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
constexpr std::uint32_t kRed = 0xffc00000;    // the square
constexpr std::uint32_t kYellow = 0xffffff00; // its top-left corner
constexpr std::uint32_t kWhite = 0xffffffff;  // the desktop of our X server

std::string FileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The processes whose environment holds the entry: every process the daemon
// starts inherits the private HOME of the test, and no other process has it.
std::vector<pid_t> ProcessesWith(const std::string& entry) {
    std::vector<pid_t> found;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return found;
    }
    while (const dirent* item = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(item->d_name));
        if (pid <= 0 || pid == getpid()) {
            continue;
        }
        std::string environment = FileText(fs::path("/proc") / item->d_name / "environ");
        std::replace(environment.begin(), environment.end(), '\0', '\n');
        if (("\n" + environment).find("\n" + entry + "\n") != std::string::npos) {
            found.push_back(pid);
        }
    }
    closedir(proc);
    return found;
}

// The running processes started from the file.
std::vector<pid_t> ProcessesOf(const fs::path& program, const std::string& homeEntry) {
    std::vector<pid_t> found;
    for (const pid_t pid : ProcessesWith(homeEntry)) {
        const std::string commandLine =
            FileText(fs::path("/proc") / std::to_string(pid) / "cmdline");
        const std::string stat = FileText(fs::path("/proc") / std::to_string(pid) / "stat");
        const bool zombie = stat.find(") Z") != std::string::npos;
        if (!zombie && commandLine.rfind(program.string() + '\0', 0) == 0) {
            found.push_back(pid);
        }
    }
    return found;
}

bool OnPath(const std::string& program) {
    std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && access((fs::path(folder) / program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

bool Shows(const XClient::Screen& screen, int x, int y, std::uint32_t color) {
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(screen.width) +
                           static_cast<std::size_t>(x);
    return at < screen.pixels.size() && screen.pixels[at] == color;
}

void Save(const XClient::Screen& screen, const fs::path& path) {
    QImage image(screen.width, screen.height, QImage::Format_RGB32);
    for (int y = 0; y < screen.height; ++y) {
        std::copy_n(screen.pixels.begin() + static_cast<std::ptrdiff_t>(y) * screen.width,
                    screen.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    image.save(QString::fromStdString(path.string()));
}
} // namespace

class XScreenSaverEndToEnd : public SaverEndToEnd {
protected:
    // XScreenSaver runs no hacks for root: as root, the daemon and its tools
    // run as nobody, which must then own the test's folders.
    std::vector<std::string> AsDaemonUser(std::vector<std::string> command) const {
        if (geteuid() == 0) {
            command.insert(command.begin(),
                           {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        }
        return command;
    }

    void HandFoldersToDaemonUser() const {
        if (geteuid() != 0) {
            return;
        }
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            ASSERT_EQ(lchown(entry.path().c_str(), 65534, 65534), 0) << entry.path();
        }
    }

    // Runs an xscreensaver-command request until the daemon takes it.
    bool Command(const std::string& request) {
        for (int i = 0; i < 150; ++i) {
            int status = -1;
            Tool(AsDaemonUser({"xscreensaver-command", request}), &status);
            if (status == 0) {
                return true;
            }
            std::this_thread::sleep_for(200ms);
        }
        return false;
    }

    // Ends everything the daemon started, whatever state the test left.
    void EndDaemon() {
        if (!daemon) {
            return;
        }
        int status = -1;
        Tool(AsDaemonUser({"xscreensaver-command", "-exit"}), &status);
        if (status != 0 || !daemon->WaitForExit(20s)) {
            daemon->Signal(SIGTERM);
            daemon->WaitForExit(10s);
        }
        for (const pid_t pid : ProcessesWith("HOME=" + home.string())) {
            kill(pid, SIGKILL);
        }
        daemon.reset();
    }

    void TearDown() override {
        EndDaemon();
        SaverEndToEnd::TearDown();
    }

    fs::path home;
    std::unique_ptr<Process> daemon;
};

TEST_F(XScreenSaverEndToEnd, TheDaemonShowsTheInstalledSceneAndEndsIt) {
    if (!OnPath("xscreensaver") || !OnPath("xscreensaver-command")) {
        GTEST_SKIP() << "xscreensaver is not installed (scripts/setup installs it)";
    }
    const fs::path shots = fs::path(SCENESAVER_BIN_DIR).parent_path() / "xscreensaver-shots";
    fs::remove_all(shots);
    fs::create_directories(shots);
    std::cout << "screenshots go to " << shots.string() << "\n";

    // Installed as a user would, into XScreenSaver's folders under a prefix.
    const fs::path prefix = root / "prefix";
    int status = -1;
    const std::string said = Tool({SCENESAVER_BIN_DIR "/scenepack", "install",
                                   SCENESAVER_SOURCE_DIR "/tests/e2e/xscreensaver.json",
                                   "scenesaver-e2e", "--label", "SceneSaver E2E", "--prefix",
                                   prefix.string(), "--player", SCENESAVER_BIN_DIR "/SceneSaver"},
                                  &status);
    ASSERT_EQ(status, 0) << said;
    const fs::path hack = prefix / "libexec/xscreensaver/scenesaver-e2e";
    std::string line = said.substr(said.rfind("\n  \"") + 1);
    line.erase(line.find('\n'));
    ASSERT_NE(line.find(hack.string() + " --root"), std::string::npos) << said;

    // A private home: our hack alone, no lock, no fade, nothing on its own.
    home = root / "home";
    fs::create_directory(home);
    std::ofstream(home / ".xscreensaver") << "mode: one\n"
                                             "selected: 0\n"
                                             "lock: False\n"
                                             "fade: False\n"
                                             "unfade: False\n"
                                             "splash: False\n"
                                             "dpmsEnabled: False\n"
                                             "timeout: 1:00:00\n"
                                             "cycle: 0:00:00\n"
                                             "programs: \\\n"
                                          << line << "\n\n";
    environment["HOME"] = home.string();
    StoreCalibration();
    HandFoldersToDaemonUser();

    XClient display(server.Display());
    ASSERT_TRUE(display.Connected());
    daemon = std::make_unique<Process>(AsDaemonUser({"xscreensaver", "--no-splash", "--verbose"}),
                                       environment, (root / "xscreensaver.log").string());
    const std::string homeEntry = "HOME=" + home.string();
    ASSERT_TRUE(Command("-activate")) << FileText(root / "xscreensaver.log");

    // The stretched square fills the daemon's window: red, its corner yellow.
    XClient::Screen screen;
    bool shown = false;
    for (int i = 0; i < 900 && !shown; ++i) {
        screen = display.GrabScreen();
        shown = Shows(screen, screen.width / 2, screen.height / 2, kRed) &&
                Shows(screen, 10, 10, kYellow) && Shows(screen, screen.width - 1, 0, kRed);
        if (!shown) {
            std::this_thread::sleep_for(100ms);
        }
    }
    Save(screen, shots / "active.png");
    EXPECT_TRUE(shown) << "the scene did not appear\n" << FileText(root / "xscreensaver.log");
    EXPECT_EQ(ProcessesOf(hack, homeEntry).size(), 1U);

    ASSERT_TRUE(Command("-deactivate"));
    bool gone = false;
    for (int i = 0; i < 300 && !gone; ++i) {
        screen = display.GrabScreen();
        gone = ProcessesOf(hack, homeEntry).empty() &&
               Shows(screen, screen.width / 2, screen.height / 2, kWhite);
        if (!gone) {
            // XScreenSaver also ends a saver on the user's activity.
            Tool({"xdotool", "mousemove", std::to_string(i % 2 * 100 + 10), "10"});
            std::this_thread::sleep_for(100ms);
        }
    }
    Save(screen, shots / "deactivated.png");
    EXPECT_TRUE(gone) << "the saver is still running or on the screen\n"
                      << FileText(root / "xscreensaver.log");
    EXPECT_TRUE(PrivateTempFolders().empty());

    EndDaemon();
    const std::string log = FileText(root / "xscreensaver.log");
    EXPECT_EQ(log.find("Sanitizer"), std::string::npos) << log;
    EXPECT_EQ(log.find("runtime error"), std::string::npos) << log;
    EXPECT_NE(log.find("scenesaver-e2e"), std::string::npos) << log;
}
