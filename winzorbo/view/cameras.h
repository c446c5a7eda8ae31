#pragma once

struct Rocket;

// Where a view looks: top-left of its 300x480 window in world pixels, and
// how far it leans ahead of a fast rocket.
struct Camera {
    int x = 0;
    int y = 0;
    int look_ahead = 0; // -80..80
};

extern Camera cameras[2];

void reset_look_ahead();

// One step of the lean toward where the rocket is heading.
int next_look_ahead(int look_ahead, double vx);

void update_camera(Camera& camera, const Rocket& rocket);
