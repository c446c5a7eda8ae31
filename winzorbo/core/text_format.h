#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts from "text.txt" are outside data, so they are never handed to printf.
// These put the one expected argument in place of the first "%i" (or "%s"),
// turn "%%" into "%", copy every other byte as it stands and cut the result
// so that it fits a C buffer of buffer_size bytes (at most buffer_size - 1
// characters).
std::string format_text(std::string_view format, int value, std::size_t buffer_size);
std::string format_text(std::string_view format, std::string_view value, std::size_t buffer_size);
