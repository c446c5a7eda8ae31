#pragma once

#include "platform/Bitmap.h"

#include <QImage>

#include <cstdint>
#include <span>
#include <string>

// Decodes a picture file: a JPEG or BMP into the bitmap (its dimension the
// picture's size, the icon cleared), an icon or cursor into the icon with a
// bitmap of the system's icon size. Other files fail silently, and so does a
// bitmap too short to be detected; open, decode and conversion failures show
// their messages. Non-zero on success; a file that cannot be opened or
// decoded leaves both as they were.
int LoadPictureFile(const std::string& path, CBitmap& bitmap, QImage& icon);

// The icon and cursor part of the same.
int LoadIconPicture(const std::string& path, CBitmap& bitmap, QImage& icon);

// A picture file held in memory, as a scene keeps it: every byte lowered by
// raise (0 for plain bytes). The name stands for the file's path in messages.
struct PictureBytes {
    std::span<const std::uint8_t> bytes;
    std::uint8_t raise = 0;
    std::string name;
};

// The loading step for a picture in memory, without its pixels: a BMP or JPEG
// is read as far as its decoder goes before the first row, so a picture the
// decoder would refuse fails here with the same message, and only the size is
// kept (bitmap.dimension, bitmap.image null) until DecodePictureBytes. Icons
// and cursors, which are small, are loaded whole. Everything else as for
// LoadPictureFile. Non-zero on success.
int CheckPictureBytes(const PictureBytes& picture, CBitmap& bitmap, QImage& icon);

// Decodes the pixels of a BMP or JPEG picture in memory into bitmap.image and
// its size into bitmap.dimension. Failures show the messages LoadPictureFile
// shows and leave the bitmap as it was. Non-zero on success.
int DecodePictureBytes(const PictureBytes& picture, CBitmap& bitmap);
