#include "startup/text_table.h"

#include "core/game_state.h"
#include "core/program_directory.h"
#include "core/zorbo_objects.h"
#include "startup/settings.h"

#include <allegro.h>
#include <fstream>

TextTable texts;

std::string LineCutter::next_line() {
    std::size_t start = position_;
    while (position_ < text_.size() && position_ - start < text_line_limit) {
        char ch = text_[position_];
        if (ch == '\r' || ch == '\n') {
            break;
        }
        ++position_;
    }
    std::string line(text_.substr(start, position_ - start));
    if (position_ < text_.size()) {
        char ch = text_[position_];
        if (ch == '\r' || ch == '\n') {
            ++position_;
            char pair = ch == '\r' ? '\n' : '\r';
            if (position_ < text_.size() && text_[position_] == pair) {
                ++position_;
            }
        }
    }
    return line;
}

void fill_text_table(TextTable& table, std::string_view text) {
    LineCutter cutter(text);
    for (std::string& line : table.lines) {
        line = cutter.at_end() ? std::string() : cutter.next_line();
    }
}

void load_texts() {
    std::ifstream file(data_path("text.txt"), std::ios::binary);
    if (file) {
        // 104 lines of at most 255 characters and a two-byte break each is all
        // the table can take; the rest of a larger file is never reached.
        std::string content(text_line_count * (text_line_limit + 2), '\0');
        file.read(content.data(), static_cast<std::streamsize>(content.size()));
        content.resize(static_cast<std::size_t>(file.gcount()));
        fill_text_table(texts, content);
        return;
    }
    const DATAFILE& builtin = zorbo_data[obj_texts];
    fill_text_table(texts, std::string_view(static_cast<const char*>(builtin.dat),
                                            static_cast<std::size_t>(builtin.size)));
}

const std::string& text(int id) {
    static const std::string none;
    if (id < 0 || id >= text_id_count) {
        return none;
    }
    return texts.lines[2 * id + (settings.language == language_swedish ? 0 : 1)];
}
