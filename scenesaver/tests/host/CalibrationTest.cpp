#include "HostTestSupport.h"

#include "host/Calibration.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "scene/SceneThread.h"

#include <sched.h>
#include <thread>

namespace {
class Calibration : public HostTest {
protected:
    std::uint32_t Measure() {
        ++measurements;
        return 123456;
    }
    void Calibrate(std::uint32_t& count) {
        CalibrateSpeed(profile, count, [this] { return Measure(); });
    }
    CRegKey RootKey() { return CRegKey("Software\\Quorvatronics\\Screen Saver"); }

    int measurements = 0;
};
} // namespace

TEST_F(Calibration, FirstRunMeasuresAndStoresTheMachine) {
    std::uint32_t count = 7;
    Calibrate(count);
    EXPECT_EQ(measurements, 1);
    EXPECT_EQ(count, 123456u);
    EXPECT_EQ(RootKey().QueryDWORD("Times"), 123456u);
    EXPECT_EQ(RootKey().QueryString("SysInfo"), MachineDescription(GetSystemInfo()));
}

TEST_F(Calibration, SecondRunOnTheSameMachineKeepsTheCount) {
    std::uint32_t count = 0;
    Calibrate(count);
    RootKey().SetDWORD("Times", 999);
    Calibrate(count);
    EXPECT_EQ(measurements, 1);
    EXPECT_EQ(count, 999u);
    // A renamed executable shares the calibration.
    CAppProfile renamed("Quorvatronics\\Screen Saver", "Other Name");
    CalibrateSpeed(renamed, count, [this] { return Measure(); });
    EXPECT_EQ(measurements, 1);
}

TEST_F(Calibration, ANarrowerProcessorSetIsTheSameMachine) {
    std::uint32_t count = 0;
    Calibrate(count);
    // Started under taskset or in a smaller CPU set: same machine, no rerun.
    std::thread([&] {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu() < 0 ? 0 : sched_getcpu(), &one);
        ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
        Calibrate(count);
    }).join();
    EXPECT_EQ(measurements, 1);
    EXPECT_EQ(count, 123456u);
}

TEST_F(Calibration, ChangedMachineOrZeroCountMeasuresAgain) {
    std::uint32_t count = 0;
    Calibrate(count);
    SystemInfo other = GetSystemInfo();
    other.numberOfProcessors += 1;
    RootKey().SetString("SysInfo", MachineDescription(other));
    Calibrate(count);
    EXPECT_EQ(measurements, 2);
    EXPECT_EQ(RootKey().QueryString("SysInfo"), MachineDescription(GetSystemInfo()));

    RootKey().SetDWORD("Times", 0);
    Calibrate(count);
    EXPECT_EQ(measurements, 3);
}

TEST(CalibrationThread, CountsPollsUntilStopped) {
    std::uint32_t count = 0;
    CSceneThread thread(nullptr, nullptr, &count, true);
    ASSERT_TRUE(thread.Start());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    thread.Stop();
    EXPECT_TRUE(thread.FinishedEvent().isSet());
    // Stopped means stopped: the count no longer moves.
    const std::uint32_t stopped = count;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(count, stopped);
}

TEST(CalibrationThread, StopsCountingAtTheLargestCount) {
    std::uint32_t count = 0xFFFFFFF0u;
    CSceneThread thread(nullptr, nullptr, &count, true);
    ASSERT_TRUE(thread.Start());
    // Ends by itself: no stop request needed for the finished event.
    thread.FinishedEvent().wait();
    thread.Stop();
    EXPECT_EQ(count, 0xFFFFFFFFu);
}
