#pragma once

#include "platform/Bitmap.h"

#include <QImage>

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
