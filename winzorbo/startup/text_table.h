#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

constexpr int text_id_count = 52;
constexpr int text_line_count = 2 * text_id_count;
constexpr std::size_t text_line_limit = 255;

// Cuts a text into lines the way the game's text files are read: a line ends
// at CR, at LF, or at a pair CR LF or LF CR (one break); a line longer than
// 255 characters is cut and the rest starts the next line.
class LineCutter {
public:
    explicit LineCutter(std::string_view text) : text_(text) {}
    bool at_end() const { return position_ >= text_.size(); }
    std::string next_line();

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// 52 text ids, each a Swedish line followed by an English line.
struct TextTable {
    std::array<std::string, text_line_count> lines;
};

extern TextTable texts;

// Fills the table from the text; slots the text does not reach stay empty.
void fill_text_table(TextTable& table, std::string_view text);

// "text.txt" beside the program, or the built-in copy in "Zorbo.dat".
void load_texts();

// Text id in the current language.
const std::string& text(int id);
