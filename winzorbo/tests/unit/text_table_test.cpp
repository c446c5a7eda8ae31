#include "core/text_format.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> cut_all(const std::string& text) {
    std::vector<std::string> lines;
    LineCutter cutter(text);
    while (!cutter.at_end()) {
        lines.push_back(cutter.next_line());
    }
    return lines;
}

struct LineCase {
    const char* label;
    std::string text;
    std::vector<std::string> lines;
};

TEST(LineCutter, BreaksAndLengths) {
    std::string long_line(300, 'x');
    std::string exact(255, 'y');
    const LineCase cases[] = {
        {"LF", "a\nbb\n\nc", {"a", "bb", "", "c"}},
        {"CR LF", "a\r\nbb\r\n\r\nc", {"a", "bb", "", "c"}},
        {"LF CR", "a\n\rbb\n\r\n\rc", {"a", "bb", "", "c"}},
        {"CR alone", "a\rbb\r\rc", {"a", "bb", "", "c"}},
        {"LF LF is two breaks", "a\n\nb", {"a", "", "b"}},
        {"CR LF CR LF", "a\r\n\r\nb", {"a", "", "b"}},
        {"trailing break", "a\nb\n", {"a", "b"}},
        {"300 characters", long_line + "\nz", {std::string(255, 'x'), std::string(45, 'x'), "z"}},
        {"exactly 255", exact + "\r\nz", {exact, "z"}},
        {"empty", "", {}},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(cut_all(c.text), c.lines) << c.label;
    }
}

TEST(TextTable, FillsInPairsAndLeavesTheRestEmpty) {
    TextTable table;
    table.lines[7] = "stale";
    fill_text_table(table, "sv0\r\nen0\r\nsv1\r\nen1\r\n");
    EXPECT_EQ(table.lines[0], "sv0");
    EXPECT_EQ(table.lines[3], "en1");
    EXPECT_EQ(table.lines[4], "");
    EXPECT_EQ(table.lines[7], "");
    EXPECT_EQ(table.lines[text_line_count - 1], "");
}

TEST(TextTable, LongLineShiftsLaterTexts) {
    TextTable table;
    fill_text_table(table, std::string(300, 'a') + "\nnext\n");
    EXPECT_EQ(table.lines[0].size(), 255u);
    EXPECT_EQ(table.lines[1], std::string(45, 'a'));
    EXPECT_EQ(table.lines[2], "next");
}

TEST(TextTable, SameTableForEveryLineEnding) {
    TextTable lf, crlf, lfcr;
    fill_text_table(lf, "one\ntwo\n\nfour\n");
    fill_text_table(crlf, "one\r\ntwo\r\n\r\nfour\r\n");
    fill_text_table(lfcr, "one\n\rtwo\n\r\n\rfour\n\r");
    EXPECT_EQ(lf.lines, crlf.lines);
    EXPECT_EQ(lf.lines, lfcr.lines);
}

TEST(TextTable, TextPicksTheCurrentLanguage) {
    fill_text_table(texts, "Spela\nPlay\nMeny\nMenu\n");
    settings.language = language_swedish;
    EXPECT_EQ(text(1), "Meny");
    settings.language = language_english;
    EXPECT_EQ(text(0), "Play");
    EXPECT_EQ(text(-1), "");
    EXPECT_EQ(text(text_id_count), "");
}

TEST(TextFormat, SubstitutesOnlyTheExpectedArgument) {
    EXPECT_EQ(format_text("Player %i wins", 2, 80), "Player 2 wins");
    EXPECT_EQ(format_text("%i and %i", 1, 80), "1 and %i");
    EXPECT_EQ(format_text("100%% %i", 7, 80), "100% 7");
    // Conversions other than the expected one stay as text: no printf.
    EXPECT_EQ(format_text("%s %n %x %i", 3, 80), "%s %n %x 3");
    EXPECT_EQ(format_text("Loading %s...", "Cave", 256), "Loading Cave...");
    EXPECT_EQ(format_text("%i %s", "x", 256), "%i x");
    EXPECT_EQ(format_text("no argument", 5, 80), "no argument");
    EXPECT_EQ(format_text("ends in %", 5, 80), "ends in %");
}

TEST(TextFormat, CutsToTheBufferSize) {
    std::string long_text(100, 'a');
    EXPECT_EQ(format_text(long_text + "%i", 1, 80).size(), 79u);
    EXPECT_EQ(format_text("%s!", std::string(300, 'b'), 256).size(), 255u);
    EXPECT_EQ(format_text("abc", 1, 0), "");
}
} // namespace
