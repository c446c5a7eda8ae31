#include "platform/SystemInfo.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {
std::uint64_t ReadNumberFile(const char* path, std::uint64_t fallback) {
    std::ifstream in(path);
    std::uint64_t value = 0;
    return (in >> value) ? value : fallback;
}

// The value of the first "key : value" line of /proc/cpuinfo with this key.
std::uint64_t CpuInfoField(const std::string& wanted) {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) {
            key.pop_back();
        }
        if (key == wanted) {
            std::istringstream value(line.substr(colon + 1));
            std::uint64_t number = 0;
            return (value >> number) ? number : 0;
        }
    }
    return 0;
}

constexpr std::uint64_t kProcessorType =
#if defined(__x86_64__)
    8664;
#elif defined(__i386__)
    586;
#elif defined(__aarch64__)
    0xAA64;
#else
    0;
#endif
} // namespace

SystemInfo GetSystemInfo() {
    SystemInfo info;
    const long page = sysconf(_SC_PAGESIZE);
    info.pageSize = page > 0 ? static_cast<std::uint64_t>(page) : 4096;
    info.minimumApplicationAddress = ReadNumberFile("/proc/sys/vm/mmap_min_addr", info.pageSize);
    // The highest address below the top of user space that a mapping can use.
    info.maximumApplicationAddress =
        (sizeof(void*) == 8 ? (std::uint64_t{1} << 47) : (std::uint64_t{3} << 30)) - info.pageSize -
        1;
    const long processors = sysconf(_SC_NPROCESSORS_CONF);
    info.numberOfProcessors = processors > 0 ? static_cast<std::uint64_t>(processors) : 1;
    // Every processor the machine has, not the ones this process may use: a
    // saver started under taskset or in a narrower CPU set is on the same
    // machine and keeps its calibration.
    info.activeProcessorMask = info.numberOfProcessors >= 64
                                   ? ~std::uint64_t{0}
                                   : (std::uint64_t{1} << info.numberOfProcessors) - 1;
    info.processorType = kProcessorType;
    info.allocationGranularity = info.pageSize;
    info.processorLevel = CpuInfoField("cpu family");
    info.processorRevision = (CpuInfoField("model") << 8) | (CpuInfoField("stepping") & 0xFF);
    return info;
}

std::string MachineDescription(const SystemInfo& info) {
    std::ostringstream out;
    out << info.pageSize << ',' << info.minimumApplicationAddress << ','
        << info.maximumApplicationAddress << ',' << info.activeProcessorMask << ','
        << info.numberOfProcessors << ',' << info.processorType << ',' << info.allocationGranularity
        << ',' << info.processorLevel << ',' << info.processorRevision;
    return out.str();
}
