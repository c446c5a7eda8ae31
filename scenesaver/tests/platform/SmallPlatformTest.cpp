#include "platform/ForeignWindow.h"
#include "platform/ShellOpen.h"
#include "platform/SymbolCharacters.h"
#include "platform/SystemInfo.h"
#include "platform/VirtualKeys.h"

#include <Qt>
#include <gtest/gtest.h>

#include <regex>
#include <sched.h>
#include <thread>

TEST(WindowHandle, DecimalAndHexadecimal) {
    EXPECT_EQ(ParseWindowHandle("12345"), 12345u);
    EXPECT_EQ(ParseWindowHandle("0x1e00007"), 0x1e00007u);
    EXPECT_EQ(ParseWindowHandle("0X1F"), 0x1Fu);
    EXPECT_EQ(ParseWindowHandle("0"), 0u);
    for (const char* bad : {"", "0x", "12a", "-5", " 12", "abc", "99999999999999999999999"}) {
        EXPECT_FALSE(ParseWindowHandle(bad)) << bad;
    }
}

TEST(WindowHandle, NoForeignWindowWithoutX11) {
    // The tests run without an X11 connection.
    EXPECT_FALSE(ForeignWindowSize(0x200000));
    EXPECT_EQ(RootWindowId(), 0u);
}

TEST(VirtualKeys, QtKeysMapToWindowsCodes) {
    const std::pair<int, int> cases[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},  {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},
        {Qt::Key_F4, 115},    {Qt::Key_F10, 121},   {Qt::Key_F12, 123},   {Qt::Key_Alt, 18},
        {Qt::Key_A, 'A'},     {Qt::Key_Z, 'Z'},     {Qt::Key_0, '0'},     {Qt::Key_Left, 37},
        {Qt::Key_Tab, 9},     {Qt::Key_unknown, 0},
    };
    for (const auto& [qt, virtualKey] : cases) {
        EXPECT_EQ(VirtualKeyFromQtKey(qt), virtualKey) << qt;
    }
}

TEST(ShellOpen, OnlyKnownSchemesWithoutControlCharacters) {
    for (const char* good : {"http://example.org", "HTTPS://example.org/a b", "ftp://host/file",
                             "mailto:someone@example.org", "file:///tmp/x.html"}) {
        EXPECT_TRUE(IsOpenableLink(good)) << good;
    }
    for (const char* bad : {"", "javascript:alert(1)", "www.example.org", "/etc/passwd", "-h",
                            "http://a\nb", "smb://host/share"}) {
        EXPECT_FALSE(IsOpenableLink(bad)) << bad;
    }
}

TEST(SystemInfo, DescriptionListsTheNineValuesInOrder) {
    SystemInfo info;
    info.pageSize = 4096;
    info.minimumApplicationAddress = 65536;
    info.maximumApplicationAddress = 140737488351231;
    info.activeProcessorMask = 3;
    info.numberOfProcessors = 2;
    info.processorType = 8664;
    info.allocationGranularity = 4096;
    info.processorLevel = 6;
    info.processorRevision = 0x5507;
    EXPECT_EQ(MachineDescription(info), "4096,65536,140737488351231,3,2,8664,4096,6,21767");
}

// The description says which machine the calibration was made on; a
// process that may run on fewer processors (taskset, a container's CPU set)
// is still on the same machine and must not measure again.
TEST(SystemInfo, DescriptionIsTheSameUnderAnyProcessorAffinity) {
    const std::string whole = MachineDescription(GetSystemInfo());
    EXPECT_TRUE(std::regex_match(whole, std::regex("([0-9]+,){8}[0-9]+"))) << whole;
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    std::string pinned;
    std::thread([&] {
        // Only this thread is held to the first allowed processor.
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
            if (CPU_ISSET(cpu, &allowed)) {
                CPU_SET(cpu, &one);
                break;
            }
        }
        if (sched_setaffinity(0, sizeof one, &one) == 0) {
            pinned = MachineDescription(GetSystemInfo());
        }
    }).join();
    EXPECT_EQ(pinned, whole);
}

TEST(SymbolCharacters, BytesNameTheSymbolFontsGlyphs) {
    const std::pair<std::string, const char*> cases[] = {
        {"abgp", "\u03B1\u03B2\u03B3\u03C0"},
        {"ABGW", "\u0391\u0392\u0393\u03A9"},
        {"1+2=3", "1+2=3"},
        {"\xA5\xAE\xB3\xD6\xE5", "\u221E\u2192\u2265\u221A\u2211"},
        {"\"$'", "\u2200\u2203\u220B"},
        {"\x7F\x80\xF0", "\uFFFD\uFFFD\uFFFD"}, // codes the font leaves empty
    };
    for (const auto& [bytes, unicode] : cases) {
        EXPECT_EQ(FromSymbolCharacters(bytes), QString::fromUtf8(unicode)) << bytes;
    }
}
