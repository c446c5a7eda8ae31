#pragma once

// The 32 interface colours (224..255) that every screen and every playfield
// shares; sprites use only these and 0 (transparent).
inline constexpr int c_p2_dark = 224;
inline constexpr int c_p2 = 225;
inline constexpr int c_p2_light = 226;
inline constexpr int c_metal_dark = 227;
inline constexpr int c_metal = 228;
inline constexpr int c_metal_light = 229;
inline constexpr int c_p1_dark = 230;
inline constexpr int c_p1 = 231;
inline constexpr int c_shot = 232;
inline constexpr int c_version = 233;
inline constexpr int c_flame = 234;
inline constexpr int c_gold = 235;
inline constexpr int c_green_dark = 236;
inline constexpr int c_green = 237;
inline constexpr int c_green_light = 238;
inline constexpr int c_night = 239;
inline constexpr int c_brown_dark = 240;
inline constexpr int c_brown = 241;
inline constexpr int c_skin = 242;
inline constexpr int c_purple_dark = 243;
inline constexpr int c_purple = 244;
inline constexpr int c_pink = 245;
inline constexpr int c_cyan_dark = 246;
inline constexpr int c_cyan = 247;
inline constexpr int c_black = 248;
inline constexpr int c_grey_dark = 249;
inline constexpr int c_grey = 250;
inline constexpr int c_grey_light = 251;
inline constexpr int c_cream = 252;
inline constexpr int c_water = 253;
inline constexpr int c_white = 254;
inline constexpr int c_foam = 255;
