#pragma once

// One player's rocket.
struct Rocket {
    int x = 0;
    int y = 0;
    int health = 0;
    int ammunition = 0;
    int direction = 0; // 0..23 in 15 degree steps clockwise from straight up
    int in_water = 0;
    int start_x = 0;
    int start_y = 0;
    double vx = 0.0;
    double vy = 0.0;
    int flame = 0;
    int gas = 0; // ControlCodes
    int fire = 0;
    int left = 0;
    int right = 0;
    int input = 0; // 1 fire, 2 gas, 4 right, 8 left
    int score = 0;
    unsigned char carrying = 0;
    unsigned char landed = 0;
    unsigned char carry_cooldown = 0;
};

extern Rocket rockets[2];
