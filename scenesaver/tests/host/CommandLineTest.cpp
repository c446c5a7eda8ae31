#include "host/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
struct Case {
    std::vector<std::string> arguments;
    const char* environment;
    SaverMode mode;
    std::optional<std::uint64_t> handle;
    bool foreground = false;
    bool root = false;
};

const char* Name(SaverMode mode) {
    switch (mode) {
    case SaverMode::None:
        return "None";
    case SaverMode::Configure:
        return "Configure";
    case SaverMode::Preview:
        return "Preview";
    case SaverMode::Run:
        return "Run";
    case SaverMode::ChangePassword:
        return "ChangePassword";
    case SaverMode::Embedded:
        return "Embedded";
    case SaverMode::Help:
        return "Help";
    case SaverMode::Version:
        return "Version";
    case SaverMode::BadOption:
        return "BadOption";
    }
    return "?";
}

void ExpectParsed(const Case& c) {
    std::string label = c.environment != nullptr ? std::string("$=") + c.environment : "";
    for (const std::string& argument : c.arguments) {
        label += " " + argument;
    }
    const SaverCommandLine parsed = ParseCommandLine(c.arguments, c.environment);
    EXPECT_STREQ(Name(parsed.mode), Name(c.mode)) << label;
    EXPECT_EQ(parsed.handle, c.handle) << label;
    EXPECT_EQ(parsed.ownerIsForeground, c.foreground) << label;
    EXPECT_EQ(parsed.useRootWindow, c.root) << label;
}
} // namespace

TEST(CommandLine, ScreenSaverProtocol) {
    const Case cases[] = {
        {{}, nullptr, SaverMode::Configure, std::nullopt},
        {{"/c"}, nullptr, SaverMode::Configure, std::nullopt, true},
        {{"-C"}, nullptr, SaverMode::Configure, std::nullopt, true},
        {{"c"}, nullptr, SaverMode::Configure, std::nullopt, true},
        {{"/c:1234"}, nullptr, SaverMode::Configure, std::nullopt, true},
        {{"c:1234"}, nullptr, SaverMode::Configure, std::nullopt, true},
        {{"/s"}, nullptr, SaverMode::Run, std::nullopt},
        {{"/S"}, nullptr, SaverMode::Run, std::nullopt},
        {{"-s"}, nullptr, SaverMode::Run, std::nullopt},
        {{"s"}, nullptr, SaverMode::Run, std::nullopt},
        {{"S"}, nullptr, SaverMode::Run, std::nullopt},
        // Only the first two characters count.
        {{"/screensaver"}, nullptr, SaverMode::Run, std::nullopt},
        {{"/p", "4660"}, nullptr, SaverMode::Preview, 4660},
        {{"-P", "0x1234"}, nullptr, SaverMode::Preview, 0x1234},
        {{"/p"}, nullptr, SaverMode::Preview, std::nullopt},
        {{"/p", "window"}, nullptr, SaverMode::Preview, std::nullopt},
        {{"/p:99"}, nullptr, SaverMode::Preview, std::nullopt},
        {{"/a", "0"}, nullptr, SaverMode::ChangePassword, 0},
        {{"a", "77"}, nullptr, SaverMode::ChangePassword, 77},
        {{"/x"}, nullptr, SaverMode::None, std::nullopt},
        {{"x"}, nullptr, SaverMode::None, std::nullopt},
        {{"/"}, nullptr, SaverMode::None, std::nullopt},
        {{""}, nullptr, SaverMode::None, std::nullopt},
        {{"sc"}, nullptr, SaverMode::None, std::nullopt},
        {{"//s"}, nullptr, SaverMode::None, std::nullopt},
    };
    for (const Case& c : cases) {
        ExpectParsed(c);
    }
}

TEST(CommandLine, XScreenSaverFormsComeFirst) {
    const Case cases[] = {
        {{"-root"}, nullptr, SaverMode::Embedded, std::nullopt, false, true},
        {{"--root"}, nullptr, SaverMode::Embedded, std::nullopt, false, true},
        {{"-root"}, "0x2a00003", SaverMode::Embedded, 0x2a00003},
        {{"-window-id", "12345"}, nullptr, SaverMode::Embedded, 12345},
        {{"-window-id", "0x10"}, "77", SaverMode::Embedded, 0x10},
        {{"-s", "-window-id", "12"}, nullptr, SaverMode::Embedded, 12},
        {{"-window-id"}, nullptr, SaverMode::Embedded, std::nullopt},
        {{"-window-id", "junk"}, nullptr, SaverMode::Embedded, std::nullopt},
        {{}, "4242", SaverMode::Embedded, 4242},
        {{}, "", SaverMode::Configure, std::nullopt},
        // With a protocol letter the variable alone does not decide.
        {{"/s"}, "4242", SaverMode::Run, std::nullopt},
        // "-r..." is not a letter of the protocol either.
        {{"-rooted"}, nullptr, SaverMode::None, std::nullopt},
    };
    for (const Case& c : cases) {
        ExpectParsed(c);
    }
}

// The desktop conventions stay clear of the protocol's letters: a "--" word
// is never a mode, and the XScreenSaver forms still win over a stray option.
TEST(CommandLine, HelpVersionAndMistypedOptions) {
    const Case cases[] = {
        {{"--help"}, nullptr, SaverMode::Help, std::nullopt},
        {{"-h"}, nullptr, SaverMode::Help, std::nullopt},
        {{"--help"}, "4242", SaverMode::Help, std::nullopt},
        {{"--version", "/s"}, nullptr, SaverMode::Version, std::nullopt},
        {{"--verbose"}, nullptr, SaverMode::BadOption, std::nullopt},
        {{"--s"}, nullptr, SaverMode::BadOption, std::nullopt},
        {{"--"}, nullptr, SaverMode::BadOption, std::nullopt},
        {{"--fps", "--root"}, nullptr, SaverMode::Embedded, std::nullopt, false, true},
        // Only the first word asks for help; the protocol reads the rest.
        {{"/s", "--help"}, nullptr, SaverMode::Run, std::nullopt},
        {{"-help"}, nullptr, SaverMode::None, std::nullopt},
    };
    for (const Case& c : cases) {
        ExpectParsed(c);
    }
    EXPECT_EQ(ParseCommandLine({"--frobnicate", "1"}, nullptr).option, "--frobnicate");
}
