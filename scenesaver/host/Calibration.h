#pragma once

#include <cstdint>
#include <functional>

class CAppProfile;

// How many times a thread polls its stop event in one second on this
// machine: a calibration-mode scene thread counts for 1000 ms.
std::uint32_t MeasurePollsPerSecond();

// The speed calibration made when the saver window is created. Keeps the
// stored "Times" when it is not 0 and "SysInfo" still describes this machine;
// otherwise measures and stores both. The count is left in calibrationCount.
void CalibrateSpeed(const CAppProfile& profile, std::uint32_t& calibrationCount,
                    const std::function<std::uint32_t()>& measure = MeasurePollsPerSecond);
