// Arbitrary bytes as "text.txt": the table is cut into lines, and every line
// is used as a format the way the game uses its texts.
#include "core/text_format.h"
#include "startup/text_table.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    TextTable table;
    fill_text_table(table, text);
    for (const std::string& line : table.lines) {
        if (line.size() > text_line_limit) {
            std::abort();
        }
        if (format_text(line, -2147483647 - 1, 80).size() > 79 ||
            format_text(line, line, 256).size() > 255) {
            std::abort();
        }
    }
    LineCutter cutter(text);
    std::size_t lines = 0;
    while (!cutter.at_end()) {
        cutter.next_line();
        if (++lines > size) {
            std::abort(); // every line consumes at least one byte
        }
    }
    return 0;
}
