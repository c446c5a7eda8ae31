#pragma once

#include "content/sprite_sheet.h"

#include <filesystem>
#include <string>
#include <vector>

struct BITMAP;
struct RGB;

// Pictures for looking at the art without playing.
void preview_sheet(const SpriteSheet& sheet, const RGB* palette,
                   const std::filesystem::path& folder);
void preview_picture(BITMAP* picture, const RGB* palette, const std::filesystem::path& path);

// Loads every built playfield the way the game does and saves its whole
// background, and the same with the actors and rockets at their start.
bool preview_playfields(const std::filesystem::path& output, const std::filesystem::path& folder,
                        std::vector<std::string>& problems);
