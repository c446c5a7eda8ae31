#include "view/cameras.h"

#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

#include <cmath>

Camera cameras[2];

void reset_look_ahead() {
    cameras[0].look_ahead = 0;
    cameras[1].look_ahead = 0;
}

namespace {
// Leaning forward by step up to limit, or swinging back twice as fast when
// the lean points the other way.
int lean_right(int look, int back, int step, int limit) {
    if (look < 0) {
        return look + back;
    }
    return look < limit ? look + step : look;
}

int lean_left(int look, int back, int step, int limit) {
    if (look > 0) {
        return look - back;
    }
    return look > -limit ? look - step : look;
}
} // namespace

int next_look_ahead(int look, double vx) {
    if (std::fabs(vx) < 1.0) {
        return look > 0 ? look - 1 : (look < 0 ? look + 1 : 0);
    }
    if (vx > 8.0) {
        return lean_right(look, 8, 4, 80);
    }
    if (vx > 4.0) {
        return lean_right(look, 4, 2, 40);
    }
    if (vx > 2.0) {
        return lean_right(look, 2, 1, 25);
    }
    if (vx >= 1.0) {
        return look > 10 ? look - 1 : look;
    }
    if (vx < -8.0) {
        return lean_left(look, 8, 4, 80);
    }
    if (vx < -4.0) {
        return lean_left(look, 4, 2, 40);
    }
    if (vx < -2.0) {
        return lean_left(look, 2, 1, 25);
    }
    return look < -10 ? look + 1 : look;
}

void update_camera(Camera& camera, const Rocket& rocket) {
    int world_width = cell_pixels * playfield_width;
    int world_height = cell_pixels * playfield_height;
    camera.y = rocket.y - 230;
    if (playfield_height < 24) {
        camera.y = (world_height - 480) / 2;
    } else if (camera.y < 0) {
        camera.y = 0;
    } else if (camera.y > world_height - 480) {
        camera.y = world_height - 480;
    }
    camera.look_ahead = next_look_ahead(camera.look_ahead, rocket.vx);
    camera.x = rocket.x - 140 + camera.look_ahead;
    if (camera.x < 0) {
        camera.x = 0;
    } else if (camera.x > world_width - 300) {
        camera.x = world_width - 300;
    }
}
