// The scene thread drawing on a real screen: display modes, a line, a move
// and typed text photographed at their places; stopping in the middle of a
// move or a pause; the processor time a scene of moves and pauses costs.

#include "SaverFixture.h"

#include <QImage>

#include <chrono>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const QRgb RED = qRgb(192, 0, 0);
const QRgb YELLOW = qRgb(255, 255, 0);
const QRgb GREEN = qRgb(0, 64, 0);
const QRgb CYAN = qRgb(0, 255, 255);

// Processor time of a process so far (user and system), from /proc.
std::chrono::milliseconds ProcessorTime(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto afterName = text.rfind(')');
    if (afterName == std::string::npos) {
        return 0ms;
    }
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    long long user = 0;
    long long system = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) {
            user = std::stoll(field);
        } else if (index == 15) {
            system = std::stoll(field);
            break;
        }
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    return std::chrono::milliseconds((user + system) * 1000 / (ticks > 0 ? ticks : 100));
}

} // namespace

class PlaybackEndToEnd : public SaverEndToEnd {
protected:
    QImage Screenshot() {
        const fs::path shot = root / "shot.png";
        fs::remove(shot);
        Tool({"import", "-window", "root", shot.string()});
        return QImage(QString::fromStdString(shot.string())).convertToFormat(QImage::Format_RGB32);
    }

    // Photographs the screen until the picture meets the condition; the last
    // photograph either way.
    QImage WaitForScreen(const std::function<bool(const QImage&)>& meets,
                         std::chrono::seconds timeout = 20s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        QImage shot;
        do {
            shot = Screenshot();
            if (!shot.isNull() && meets(shot)) {
                return shot;
            }
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return shot;
    }

    // Milliseconds from a mouse move that must end the saver to its exit,
    // after a first move that only marks where the mouse rests.
    std::optional<std::chrono::milliseconds> StopLatency(Process& process) {
        Tool({"xdotool", "mousemove", "20", "20"});
        if (process.WaitForExit(400ms)) {
            return std::nullopt;
        }
        for (int attempt = 0; attempt < 10; ++attempt) {
            const auto start = std::chrono::steady_clock::now();
            Tool({"xdotool", "mousemove", attempt % 2 == 0 ? "300" : "20",
                  attempt % 2 == 0 ? "200" : "20"});
            if (process.WaitForExit(2s)) {
                return std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start);
            }
        }
        return std::nullopt;
    }
};

TEST_F(PlaybackEndToEnd, ScenePaintsTilesStretchLineMoveAndTypedText) {
    StoreCalibration();
    const std::string saver = MakeSaver("Playback Saver", Signature::Valid, "playback.json");
    Process process({saver, "/s"}, environment, (root / "saver.log").string());
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty()) << "no window appeared";

    // Tiles: a copy at every multiple of 32, the last ones cut at the edges.
    QImage shot = WaitForScreen([](const QImage& s) {
        return s.pixel(32 * 19 + 1, 32 * 14 + 1) == YELLOW &&
               s.pixel(32 * 5 + 10, 32 * 3 + 10) == RED;
    });
    EXPECT_EQ(shot.pixel(1, 1), YELLOW);
    EXPECT_EQ(shot.pixel(32 * 7 + 2, 32 * 9 + 3), YELLOW);
    EXPECT_EQ(shot.pixel(32 * 7 + 5, 32 * 9 + 5), RED);
    EXPECT_EQ(shot.pixel(639, 479), RED);

    // Stretched twenty times: the mark fills the top left 80 by 60.
    shot = WaitForScreen([](const QImage& s) {
        return s.pixel(70, 50) == YELLOW && s.pixel(32 + 10, 32 + 10) == YELLOW &&
               s.pixel(100, 100) == RED;
    });
    EXPECT_EQ(shot.pixel(79, 59), YELLOW);
    EXPECT_EQ(shot.pixel(81, 61), RED);
    EXPECT_EQ(shot.pixel(639, 479), RED);

    // The green screen: the square at (100, 100), the rule at y 300, the
    // square moved to (560, 50) and the typed word below the rule.
    shot = WaitForScreen([](const QImage& s) {
        int ink = 0;
        for (int y = 350; y < 420; ++y) {
            for (int x = 100; x < 260; ++x) {
                ink += s.pixel(x, y) == YELLOW ? 1 : 0;
            }
        }
        return s.pixel(560 + 16, 50 + 16) == RED && ink > 200;
    });
    EXPECT_EQ(shot.pixel(101, 101), YELLOW);
    EXPECT_EQ(shot.pixel(131, 131), RED);
    EXPECT_EQ(shot.pixel(132, 132), GREEN);
    EXPECT_EQ(shot.pixel(300, 200), GREEN);
    EXPECT_EQ(shot.pixel(320, 300), CYAN);
    EXPECT_EQ(shot.pixel(639 - 1, 301), CYAN);
    EXPECT_EQ(shot.pixel(320, 305), GREEN);
    EXPECT_EQ(shot.pixel(561, 51), YELLOW);
    EXPECT_EQ(shot.pixel(591, 81), RED);
    EXPECT_EQ(shot.pixel(410, 60), GREEN) << "the move's start is cleared";
    EXPECT_EQ(shot.pixel(500, 60), GREEN) << "and so is its way";
    // Around the letters the green shows through; nothing but ink and green.
    for (int y = 350; y < 420; ++y) {
        for (int x = 100; x < 300; ++x) {
            const QRgb pixel = shot.pixel(x, y);
            ASSERT_TRUE(pixel == YELLOW || pixel == GREEN) << x << "," << y;
        }
    }
    EXPECT_EQ(MoveMouseUntilExit(process), 0);
}

TEST_F(PlaybackEndToEnd, MovesAndPausesCostLittleTimeAndStopAtOnce) {
    StoreCalibration();
    const std::string saver = MakeSaver("Stop Saver", Signature::Valid, "playback-stop.json");

    // In the middle of a move.
    {
        Process process({saver, "/s"}, environment, (root / "move.log").string());
        ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
        WaitForScreen([](const QImage& s) { return s.pixel(300, 300) == GREEN; });
        const auto latency = StopLatency(process);
        ASSERT_TRUE(latency.has_value()) << "the saver did not end";
        std::cout << "stop during a move: exit " << latency->count()
                  << " ms after the mouse move\n";
        // The process exit includes the sanitizers' leak check at exit.
        EXPECT_LT(*latency, 1500ms);
    }

    // Ten seconds of moves and pauses, then a stop in the middle of the pause.
    Process process({saver, "/s"}, environment, (root / "pause.log").string());
    ASSERT_FALSE(WaitForWindow(process.Pid()).empty());
    WaitForScreen([](const QImage& s) { return s.pixel(300, 300) == GREEN; });
    const auto cpuBefore = ProcessorTime(process.Pid());
    const auto wallBefore = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(10s);
    const auto cpu = ProcessorTime(process.Pid()) - cpuBefore;
    const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - wallBefore);
    const double share =
        100.0 * static_cast<double>(cpu.count()) / static_cast<double>(wall.count());
    std::cout << "processor time over " << wall.count()
              << " ms of moves and pauses: " << cpu.count() << " ms (" << share
              << " % of a core)\n";
    // The instrumented build costs several times the release build.
    EXPECT_LT(share, 50.0);
    const auto latency = StopLatency(process);
    ASSERT_TRUE(latency.has_value()) << "the saver did not end";
    std::cout << "stop during a pause: exit " << latency->count() << " ms after the mouse move\n";
    EXPECT_LT(*latency, 1500ms);
}
