#pragma once

#include <array>
#include <string>

struct DATAFILE;

// What "Zorbo.dat" holds, object by object. The content builder writes the
// objects in this order and the game checks the file against it at start-up,
// so both sides can never drift apart.
enum class ObjectKind { Bitmap, RleSprite, Font, Palette, Binary };

struct ObjectEntry {
    std::string name;
    ObjectKind kind = ObjectKind::Binary;
    int width = 0; // pictures whose size the game relies on; 0 = any
    int height = 0;
};

constexpr int zorbo_object_count = 209;

// Indices the code names.
enum ZorboObject : int {
    obj_title = 0,
    obj_intro = 1,
    obj_credits = 2,
    obj_wreck1 = 3,
    obj_wreck2 = 4,
    obj_swimmer = 5,
    obj_flag0 = 12,
    obj_flag1 = 15,
    obj_flag2 = 18,
    obj_sign0 = 21,
    obj_font = 24,
    obj_p2_cheer = 25,
    obj_p2_sulk = 28,
    obj_hopper = 31,
    obj_p1_sulk = 38,
    obj_p1_cheer = 40,
    obj_wave_above = 43,
    obj_wave_below = 49,
    obj_bumper = 55,
    obj_music_credits = 71,
    obj_music_menu = 72,
    obj_goo = 73,
    obj_bomb = 77,
    obj_palette_interface = 80,
    obj_palette_title = 81,
    obj_palette_menu = 82,
    obj_palette_intro = 83,
    obj_arrow_down = 84,
    obj_arrow_up = 85,
    obj_ornament = 86,
    obj_rocket1 = 91,
    obj_menu_marker_left = 97, // player 1's rocket pointing right
    obj_volume_knob = 103,     // player 1's rocket pointing down
    obj_rocket1_flame = 115,
    obj_rocket2 = 139,
    obj_menu_marker_right = 157, // player 2's rocket pointing left
    obj_rocket2_flame = 163,
    obj_conveyor_left = 187,
    obj_conveyor_right = 190,
    obj_carrier = 193,
    obj_sound = 201,
    obj_texts = 208,
};

const std::array<ObjectEntry, zorbo_object_count>& zorbo_objects();

// Allegro's type id for a kind.
int object_type_id(ObjectKind kind);

// True when a loaded datafile has exactly the objects above, each of the
// right type (and size where the game relies on it).
bool datafile_matches_manifest(const DATAFILE* data);
