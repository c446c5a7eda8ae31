#pragma once

#include <cstdint>
#include <string>

// What the machine description of the speed calibration is made of, in the
// order of its fields.
struct SystemInfo {
    std::uint64_t pageSize = 0;
    std::uint64_t minimumApplicationAddress = 0;
    std::uint64_t maximumApplicationAddress = 0;
    std::uint64_t activeProcessorMask = 0;
    std::uint64_t numberOfProcessors = 0;
    std::uint64_t processorType = 0;
    std::uint64_t allocationGranularity = 0;
    std::uint64_t processorLevel = 0;
    std::uint64_t processorRevision = 0;
};

// This machine's values: page size and CPU count from the system, the lowest
// address a mapping may take (vm.mmap_min_addr), the top of user space, one
// bit for each of the machine's CPUs, the architecture as a processor type number,
// and the CPU family and model/stepping from /proc/cpuinfo.
SystemInfo GetSystemInfo();

// The nine values as decimal numbers separated by commas.
std::string MachineDescription(const SystemInfo& info);
