#include "startup/command_line.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
CommandLine parse(std::vector<const char*> words) {
    words.insert(words.begin(), "WinZorbo");
    return parse_command_line(static_cast<int>(words.size()), const_cast<char**>(words.data()));
}
} // namespace

TEST(CommandLine, PlayWithStyleAndTarget) {
    CommandLine line = parse({"--play", "twobase", "--style", "bouncy", "--target", "5"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_EQ(line.play, "twobase");
    EXPECT_EQ(line.style, style_bouncy);
    EXPECT_EQ(line.target, 5);
    EXPECT_FALSE(line.fullscreen);

    CommandLine plain = parse({"--fullscreen"});
    EXPECT_TRUE(plain.fullscreen);
    EXPECT_TRUE(plain.play.empty());
    EXPECT_EQ(plain.style, style_strict);
    EXPECT_EQ(plain.target, 3);
}

TEST(CommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::vector<const char*>> bad = {
        {"--style", "wobbly"}, {"--target", "0"}, {"--target", "3x"}, {"--target", "-1"},
        {"--target", "1000"},  {"--play"},        {"--sound"},        {"extra"},
    };
    for (const auto& words : bad) {
        EXPECT_FALSE(parse(words).error.empty()) << words[0];
    }
}

TEST(CommandLine, HelpAndVersionStandAlongsideTheOtherOptions) {
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
    CommandLine both = parse({"--fullscreen", "--version", "--play", "twobase"});
    EXPECT_TRUE(both.error.empty());
    EXPECT_TRUE(both.version);
    EXPECT_EQ(both.play, "twobase");
    // A playfield may be called anything, "--help" too: it is the value.
    EXPECT_FALSE(parse({"--play", "--help"}).help);
    EXPECT_NE(parse({"--target"}).error.find("--target needs a value"), std::string::npos);
    EXPECT_NE(parse({"-h"}).error.find("unknown argument: -h"), std::string::npos);
}
