#include "picture/PictureMessages.h"

#include <cstdio>
#include <vector>

std::string FormatPictureMessage(const char* format, int code) {
    char text[128];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

std::string FormatPictureMessage(const char* format, const std::string& path, int code) {
    // Paths have no fixed bound, so the text is sized to fit.
    const int needed = std::snprintf(nullptr, 0, format, path.c_str(), code);
    if (needed < 0) {
        return {};
    }
    std::vector<char> text(static_cast<std::size_t>(needed) + 1);
    std::snprintf(text.data(), text.size(), format, path.c_str(), code);
    return std::string(text.data(), static_cast<std::size_t>(needed));
}
