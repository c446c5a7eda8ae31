#include "core/zorbo_objects.h"

#include <allegro.h>
#include <cstring>

namespace {
using Table = std::array<ObjectEntry, zorbo_object_count>;

void put(Table& table, int index, std::string name, ObjectKind kind, int width = 0,
         int height = 0) {
    table[index] = ObjectEntry{std::move(name), kind, width, height};
}

// A run of numbered sprites: PREFIX1, PREFIX2, ...
void sprites(Table& table, int first, int count, const std::string& prefix, int width = 0,
             int height = 0) {
    for (int i = 0; i < count; ++i) {
        put(table, first + i, prefix + std::to_string(i + 1), ObjectKind::RleSprite, width, height);
    }
}

std::string two_digits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

Table build_table() {
    Table t;
    constexpr ObjectKind sprite = ObjectKind::RleSprite;
    put(t, 0, "TITLE", ObjectKind::Bitmap, 640, 400);
    put(t, 1, "INTRO", ObjectKind::Bitmap, 640, 451);
    put(t, 2, "CREDITS_TXT", ObjectKind::Binary);
    put(t, 3, "WRECK1", sprite, 20, 20);
    put(t, 4, "WRECK2", sprite, 20, 20);
    sprites(t, 5, 3, "SWIMMER_LEFT", 20, 20);
    put(t, 8, "SWIMMER_TURN", sprite, 20, 20);
    sprites(t, 9, 3, "SWIMMER_RIGHT", 20, 20);
    sprites(t, 12, 3, "FLAG0_", 20, 20);
    sprites(t, 15, 3, "FLAG1_", 20, 20);
    sprites(t, 18, 3, "FLAG2_", 20, 20);
    sprites(t, 21, 3, "SIGN");
    put(t, 24, "FONT", ObjectKind::Font);
    sprites(t, 25, 3, "P2_CHEER");
    sprites(t, 28, 3, "P2_SULK");
    sprites(t, 31, 7, "HOPPER", 20, 20);
    sprites(t, 38, 2, "P1_SULK");
    sprites(t, 40, 3, "P1_CHEER");
    sprites(t, 43, 6, "WAVE_ABOVE", 20, 0);
    sprites(t, 49, 6, "WAVE_BELOW", 20, 0);
    for (int p = 0; p < 8; ++p) {
        put(t, 55 + 2 * p, "BUMPER" + std::to_string(p) + "_REST", sprite, 20, 20);
        put(t, 56 + 2 * p, "BUMPER" + std::to_string(p) + "_KICK", sprite, 20, 20);
    }
    put(t, 71, "MUSIC_CREDITS", ObjectKind::Binary);
    put(t, 72, "MUSIC_MENU", ObjectKind::Binary);
    sprites(t, 73, 4, "GOO", 20, 20);
    put(t, 77, "BOMB", sprite);
    put(t, 78, "BOMB_BLAST", sprite);
    put(t, 79, "BOMB_AFTER", sprite);
    put(t, 80, "PAL_INTERFACE", ObjectKind::Palette);
    put(t, 81, "PAL_TITLE", ObjectKind::Palette);
    put(t, 82, "PAL_MENU", ObjectKind::Palette);
    put(t, 83, "PAL_INTRO", ObjectKind::Palette);
    put(t, 84, "ARROW_DOWN", sprite);
    put(t, 85, "ARROW_UP", sprite);
    sprites(t, 86, 5, "ORNAMENT");
    for (int d = 0; d < 24; ++d) {
        put(t, 91 + d, "ROCKET1_" + two_digits(d), sprite, 20, 20);
        put(t, 115 + d, "ROCKET1_FLAME_" + two_digits(d), sprite, 20, 20);
        put(t, 139 + d, "ROCKET2_" + two_digits(d), sprite, 20, 20);
        put(t, 163 + d, "ROCKET2_FLAME_" + two_digits(d), sprite, 20, 20);
    }
    sprites(t, 187, 3, "CONVEYOR_LEFT", 20, 0);
    sprites(t, 190, 3, "CONVEYOR_RIGHT", 20, 0);
    sprites(t, 193, 8, "CARRIER");
    const char* sounds[] = {"SND_SCORE", "SND_FLAG_LOST", "SND_HIT", "SND_LANDING",
                            "SND_CRASH", "SND_SPLASH",    "SND_WRAP"};
    for (int i = 0; i < 7; ++i) {
        put(t, 201 + i, sounds[i], ObjectKind::Binary);
    }
    put(t, 208, "TEXT_TXT", ObjectKind::Binary);
    return t;
}

bool size_matches(const DATAFILE& object, const ObjectEntry& entry) {
    int width = 0;
    int height = 0;
    if (entry.kind == ObjectKind::Bitmap) {
        const auto* bitmap = static_cast<const BITMAP*>(object.dat);
        width = bitmap->w;
        height = bitmap->h;
        if (bitmap_color_depth(const_cast<BITMAP*>(bitmap)) != 8) {
            return false;
        }
    } else if (entry.kind == ObjectKind::RleSprite) {
        const auto* sprite = static_cast<const RLE_SPRITE*>(object.dat);
        width = sprite->w;
        height = sprite->h;
        if (sprite->color_depth != 8) {
            return false;
        }
    } else if (entry.kind == ObjectKind::Palette) {
        return object.size >= static_cast<long>(sizeof(PALETTE));
    } else {
        return true;
    }
    return (entry.width == 0 || width == entry.width) &&
           (entry.height == 0 || height == entry.height);
}
} // namespace

const std::array<ObjectEntry, zorbo_object_count>& zorbo_objects() {
    static const Table table = build_table();
    return table;
}

int object_type_id(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Bitmap:
        return DAT_BITMAP;
    case ObjectKind::RleSprite:
        return DAT_RLE_SPRITE;
    case ObjectKind::Font:
        return DAT_FONT;
    case ObjectKind::Palette:
        return DAT_PALETTE;
    case ObjectKind::Binary:
        break;
    }
    return DAT_DATA;
}

bool datafile_matches_manifest(const DATAFILE* data) {
    if (!data) {
        return false;
    }
    const auto& table = zorbo_objects();
    for (int i = 0; i < zorbo_object_count; ++i) {
        const DATAFILE& object = data[i];
        if (object.type == DAT_END || object.type != object_type_id(table[i].kind) ||
            object.dat == nullptr || !size_matches(object, table[i])) {
            return false;
        }
    }
    return data[zorbo_object_count].type == DAT_END;
}
