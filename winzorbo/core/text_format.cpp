#include "core/text_format.h"

namespace {
std::string substitute(std::string_view format, char conversion, std::string_view value,
                       std::size_t buffer_size) {
    std::string out;
    bool substituted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char ch = format[i];
        if (ch == '%' && i + 1 < format.size()) {
            char next = format[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next == conversion && !substituted) {
                out += value;
                substituted = true;
                ++i;
                continue;
            }
        }
        out += ch;
    }
    std::size_t limit = buffer_size == 0 ? 0 : buffer_size - 1;
    if (out.size() > limit) {
        out.resize(limit);
    }
    return out;
}
} // namespace

std::string format_text(std::string_view format, int value, std::size_t buffer_size) {
    return substitute(format, 'i', std::to_string(value), buffer_size);
}

std::string format_text(std::string_view format, std::string_view value, std::size_t buffer_size) {
    return substitute(format, 's', value, buffer_size);
}
