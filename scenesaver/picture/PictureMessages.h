#pragma once

#include <string>

// The messages picture loading shows. The line break is line feed followed by
// carriage return, and the spelling is as users have always seen it.
inline constexpr const char* MSG_PICTURE_OPEN_FAILED =
    "Error during opening picture file!\n\rError code:%d";
inline constexpr const char* MSG_PICTURE_FORMAT_FAILED =
    "Error reckognizing picture (%s) format!\n\rError code:%d";
inline constexpr const char* MSG_PICTURE_CONVERSION_FAILED =
    "Memory allocation problem during image conversion";

// The open message with its code filled in.
std::string FormatPictureMessage(const char* format, int code);
// The format message with the path and the code filled in.
std::string FormatPictureMessage(const char* format, const std::string& path, int code);
