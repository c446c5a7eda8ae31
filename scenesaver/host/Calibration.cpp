#include "host/Calibration.h"

#include "host/StringTable.h"
#include "platform/AppProfile.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "scene/SceneThread.h"

#include <thread>

namespace {
// The longest "SysInfo" that is read back, terminator included.
constexpr size_t kSysInfoCapacity = 260;
} // namespace

std::uint32_t MeasurePollsPerSecond() {
    std::uint32_t count = 0;
    CSceneThread thread(nullptr, nullptr, &count, true);
    if (!thread.Start()) {
        return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    thread.Stop();
    return count;
}

void CalibrateSpeed(const CAppProfile& profile, std::uint32_t& calibrationCount,
                    const std::function<std::uint32_t()>& measure) {
    CRegKey key(profile.RootKeyPath());
    std::string stored = key.QueryString(LoadStringResource(IDS_SYSINFO)).value_or("");
    if (stored.size() >= kSysInfoCapacity) {
        stored.resize(kSysInfoCapacity - 1);
    }
    calibrationCount = key.QueryDWORD(LoadStringResource(IDS_TIMES)).value_or(0);

    const std::string description = MachineDescription(GetSystemInfo());
    if (calibrationCount != 0 && stored == description) {
        return;
    }
    calibrationCount = measure();
    key.SetString(LoadStringResource(IDS_SYSINFO), description);
    key.SetDWORD(LoadStringResource(IDS_TIMES), calibrationCount);
}
