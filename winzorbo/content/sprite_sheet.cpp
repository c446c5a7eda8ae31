#include "content/sprite_sheet.h"

#include <allegro.h>

SpriteSheet::~SpriteSheet() {
    for (NamedSprite& sprite : sprites) {
        if (sprite.bitmap) {
            destroy_bitmap(sprite.bitmap);
        }
    }
}
