#pragma once

// Rows of the state table the creatures' behaviours move between.
namespace creature_state {
constexpr int swimming_left_first = 46;
constexpr int swimming_left_last = 49;
constexpr int swimming_right_first = 50;
constexpr int swimming_right_last = 53;
constexpr int swimmer_turning_left = 54;
constexpr int swimmer_turning_right = 55;

constexpr int bomb_falling = 62;
constexpr int bomb_lying = 63;
constexpr int bomb_blast = 64;
constexpr int bomb_moving = 66;

constexpr int hopper_sitting = 67;
constexpr int hopper_choosing = 68;
constexpr int hopper_looking = 69;
constexpr int hopper_jumping = 70;
constexpr int hopper_falling = 71;
} // namespace creature_state
