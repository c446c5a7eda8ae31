#include "plat/TextScanner.h"

#include <gtest/gtest.h>

#include <limits>

using plat::String;
using plat::TextScanner;

TEST(TextScanner, ReadUntilStopsAtDelimitersAndFailsOnOne) {
    TextScanner scan(String("key: value"));
    String out("unchanged");
    ASSERT_TRUE(scan.ReadUntil(out, ":", false));
    EXPECT_STREQ(out.c_str(), "key");
    out = "unchanged";
    EXPECT_FALSE(scan.ReadUntil(out, ":", false)); // sitting on the delimiter
    EXPECT_STREQ(out.c_str(), "unchanged");
    EXPECT_TRUE(scan.SkipIfIn(":"));
    scan.SkipSpace();
    ASSERT_TRUE(scan.ReadUntil(out, ":", false));
    EXPECT_STREQ(out.c_str(), "value");
    EXPECT_TRUE(scan.AtEnd());
    EXPECT_FALSE(scan.ReadUntil(out, ":", false));
}

TEST(TextScanner, QuotedTokensKeepDelimitersAndDropQuotes) {
    struct Case {
        const char* text;
        const char* token;
        const char* rest;
    };
    const Case cases[] = {
        {"\"a b\" c", "a b", " c"},
        {"\"open to the end", "open to the end", ""},
        {"x\"y\" z", "x\"y\"", " z"},
    };
    for (const Case& c : cases) {
        TextScanner scan{String(c.text)};
        String token;
        ASSERT_TRUE(scan.ReadUntil(token, " ", true)) << c.text;
        EXPECT_STREQ(token.c_str(), c.token) << c.text;
        String rest;
        scan.ReadN(rest, String(c.text).Length() - scan.Position());
        EXPECT_STREQ(rest.c_str(), c.rest) << c.text;
    }
}

TEST(TextScanner, NumbersTable) {
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {"12", true, 12},
        {"- 12", true, -12},
        {"+7", true, 7},
        {"  -0", true, 0},
        {"-", false, 0},
        {"x1", false, 0},
        {"99999999999999999999", true, std::numeric_limits<std::int32_t>::max()},
        {"-99999999999999999999", true, std::numeric_limits<std::int32_t>::min()},
        {"-2147483648", true, std::numeric_limits<std::int32_t>::min()},
        {"2147483648", true, std::numeric_limits<std::int32_t>::max()},
    };
    for (const Case& c : cases) {
        TextScanner scan{String(c.text)};
        std::int32_t value = 12345;
        EXPECT_EQ(scan.ReadSigned(value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        } else {
            EXPECT_EQ(scan.Position(), 0u) << c.text;
        }
    }
}

TEST(TextScanner, UnsignedSaturatesInsteadOfWrapping) {
    TextScanner scan(String("4294967296 4294967295"));
    std::uint32_t value = 0;
    ASSERT_TRUE(scan.ReadUnsigned(value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    scan.SkipSpace();
    ASSERT_TRUE(scan.ReadUnsigned(value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_FALSE(scan.ReadUnsigned(value));
}

TEST(TextScanner, HexNeedsExactlyTheDigitsAsked) {
    struct Case {
        const char* text;
        std::size_t digits;
        bool ok;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"fF", 2, true, 255}, {"0a1B", 4, true, 0x0A1B}, {"f", 2, false, 0},
        {"fg", 2, false, 0},  {"", 0, true, 0},          {"123456789", 8, true, 0x12345678},
    };
    for (const Case& c : cases) {
        TextScanner scan{String(c.text)};
        std::uint32_t value = 77;
        EXPECT_EQ(scan.ReadHex(value, c.digits), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : 77u) << c.text;
        EXPECT_EQ(scan.Position(), c.ok ? c.digits : 0u) << c.text;
    }
}

TEST(TextScanner, SkippingSets) {
    TextScanner scan(String("--+x"));
    EXPECT_FALSE(scan.SkipIfIn("x"));
    EXPECT_TRUE(scan.SkipAllIn("-+"));
    EXPECT_FALSE(scan.SkipAllIn("-+"));
    EXPECT_TRUE(scan.SkipCharIn(String("xyz")));
    EXPECT_TRUE(scan.AtEnd());
    EXPECT_EQ(scan.Peek(), '\0');
    EXPECT_EQ(scan.Next(), '\0');
    String out;
    EXPECT_FALSE(scan.ReadN(out, 1));
    EXPECT_TRUE(scan.ReadN(out, 0));
}
