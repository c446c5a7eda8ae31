#pragma once

// What the user is told when a scene cannot be prepared.
inline constexpr const char* MSG_CHOOSE_IMAGE = "You have to choose the image.";
inline constexpr const char* MSG_CHOOSE_MEDIA = "You have to choose the media.";
inline constexpr const char* MSG_CANNOT_MAKE_DATA_FILE = "It cannot be made data file.";
// Follows the picture's own text.
inline constexpr const char* MSG_TEXT_BITMAP_FAILED = "\ntext bitmap cannot be made.";
