#include "plat/String.h"

#include <gtest/gtest.h>

#include <string>

using plat::String;

TEST(String, ComparisonsIgnoringCaseFoldLettersOnly) {
    EXPECT_TRUE(String("time-").EqualsNoCase("TIME-"));
    EXPECT_FALSE(String("time-").EqualsNoCase("time"));
    EXPECT_TRUE(String("").EqualsNoCase(""));
    EXPECT_FALSE(String("").EqualsNoCase("a"));
    EXPECT_TRUE(String("[Start:Note]").StartsWithNoCase("[start:"));
    EXPECT_FALSE(String("ti").StartsWithNoCase("time-"));
    EXPECT_FALSE(String().StartsWithNoCase(""));
    EXPECT_TRUE(String("abc").Equals("abc"));
    EXPECT_FALSE(String("abc").Equals("ABC"));
}

TEST(String, SubstringsAreClampedToTheText) {
    const String text("hello world");
    EXPECT_STREQ(text.Left(5).c_str(), "hello");
    EXPECT_STREQ(text.Left(50).c_str(), "hello world");
    EXPECT_STREQ(text.Right(5).c_str(), "world");
    EXPECT_STREQ(text.Mid(6).c_str(), "world");
    EXPECT_STREQ(text.Mid(6, 2).c_str(), "wo");
    EXPECT_STREQ(text.Mid(60).c_str(), "");
    EXPECT_STREQ(text.Mid(10, 99).c_str(), "d");
}

TEST(String, FindAndEdit) {
    String text("a.b.c");
    std::size_t at = 99;
    ASSERT_TRUE(text.Find('.', at));
    EXPECT_EQ(at, 1u);
    ASSERT_TRUE(text.ReverseFind('.', at));
    EXPECT_EQ(at, 3u);
    ASSERT_TRUE(text.Find("b.c", at));
    EXPECT_EQ(at, 2u);
    EXPECT_FALSE(text.Find('x', at));
    text.Replace('.', '/');
    EXPECT_STREQ(text.c_str(), "a/b/c");
    text.RemoveTrailing('c');
    text.RemoveTrailing('c');
    EXPECT_STREQ(text.c_str(), "a/b/");
    String padded(" \t x y \r\n");
    padded.Trim();
    EXPECT_STREQ(padded.c_str(), "x y");
    String blank("   ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(String, AppendBytesStopsAtTheFirstNul) {
    String text("ab");
    text.AppendBytes("cd\0ef", 5);
    EXPECT_EQ(text.Length(), 4u);
    EXPECT_STREQ(text.c_str(), "abcd");
}

TEST(String, SetAtChangesTheTextAndNulShortensIt) {
    String text("abcdef");
    text.SetAt(1, 'X');
    EXPECT_STREQ(text.c_str(), "aXcdef");
    text.SetAt(2, '\0');
    EXPECT_EQ(text.Length(), 2u);
    EXPECT_STREQ(text.c_str(), "aX");
    text.SetAt(4, 'Y'); // past the text: ignored, even inside the buffer
    EXPECT_STREQ(text.c_str(), "aX");
    EXPECT_EQ(text.Length(), 2u);
}

TEST(String, SelfAppendAndSelfAssignAreSafe) {
    String text("ab");
    text.Append(text);
    EXPECT_STREQ(text.c_str(), "abab");
    text.Append(text.c_str() + 1);
    EXPECT_STREQ(text.c_str(), "ababbab");
    text = text.Mid(2);
    EXPECT_STREQ(text.c_str(), "abbab");
}

TEST(String, FormatNeverTruncatesOrOverruns) {
    const std::string long_(5000, 'x');
    String text;
    ASSERT_TRUE(text.Format("[%s]", long_.c_str()));
    EXPECT_EQ(text.Length(), 5002u);
    EXPECT_EQ(text[0], '[');
    EXPECT_EQ(text[5001], ']');
    text.Format("%.2X%.2X", 0xAB, 5);
    EXPECT_STREQ(text.c_str(), "AB05");
}

TEST(String, ManyAppendsGrowGeometrically) {
    String text;
    std::size_t reallocations = 0;
    std::size_t capacity = 0;
    for (int i = 0; i < 100000; ++i) {
        text.Append('x');
        if (text.Capacity() != capacity) {
            capacity = text.Capacity();
            ++reallocations;
        }
    }
    EXPECT_EQ(text.Length(), 100000u);
    EXPECT_LT(reallocations, 64u);
}

TEST(String, StringWithoutDataReadsAsEmpty) {
    const String nothing;
    EXPECT_FALSE(nothing.HasData());
    EXPECT_STREQ(nothing.c_str(), "");
    EXPECT_EQ(nothing[0], '\0');
    String cleared("x");
    cleared.Assign(static_cast<const char*>(nullptr));
    EXPECT_TRUE(cleared.IsEmpty());
}
