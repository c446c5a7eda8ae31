// The notes the program ships read as prose that flows with the note's width,
// and say what the clicks really do.

#include "notes/DefaultNotes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The note's lines as the notes file holds them ("#" before each).
std::vector<std::string> Contents(const char* file) {
    std::istringstream in(file);
    std::vector<std::string> lines;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == "[start:contents]") {
            inside = true;
        } else if (line == "[end:contents]") {
            inside = false;
        } else if (inside && !line.empty() && line[0] == '#') {
            lines.push_back(line.substr(1));
        }
    }
    return lines;
}

TEST(DefaultNotesTest, ParagraphsAreSingleLinesThatTheNoteWraps) {
    for (const char* note : {HowToUseNote(), VersionHistoryNote()}) {
        const std::vector<std::string> lines = Contents(note);
        ASSERT_GT(lines.size(), 3u);
        // A line break inside a paragraph would show as a ragged break in any
        // note not exactly as wide as the one it was typed for: a line that
        // follows text is a new list item, never the rest of a sentence.
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (!lines[i].empty() && !lines[i - 1].empty()) {
                EXPECT_TRUE(lines[i].starts_with("- ")) << lines[0] << ": \"" << lines[i] << "\"";
            }
        }
    }
}

TEST(DefaultNotesTest, HowToUseSaysADoubleClickOnTheCaptionFolds) {
    bool folding = false;
    for (const std::string& line : Contents(HowToUseNote())) {
        if (line.find(" fold ") != std::string::npos) {
            folding = true;
            EXPECT_NE(line.find("Double-click the title strip"), std::string::npos) << line;
            EXPECT_EQ(line.find("button"), std::string::npos) << line;
        }
    }
    EXPECT_TRUE(folding);
}

} // namespace
