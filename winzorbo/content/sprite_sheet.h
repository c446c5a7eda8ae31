#pragma once

#include <string>
#include <vector>

struct BITMAP;

// Sprites made for one group of objects, kept with their object names so the
// builder can store them and the preview can lay them out.
struct NamedSprite {
    std::string name;
    BITMAP* bitmap = nullptr;
};

struct SpriteSheet {
    std::string title;
    std::vector<NamedSprite> sprites;
    ~SpriteSheet();
    void add(std::string name, BITMAP* bitmap) { sprites.push_back({std::move(name), bitmap}); }
};
