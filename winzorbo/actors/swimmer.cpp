#include "actors/creature_senses.h"
#include "actors/creature_states.h"
#include "actors/creatures.h"
#include "core/random.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

namespace {
using namespace creature_state;
constexpr int reach = 18;

bool water(int x, int y) {
    return cell_is(x, y, cell_water);
}

// Onward while there is water ahead, and now and then, one time in a
// thousand, turning round in open water all the same.
void swim_on(Actor& swimmer) {
    if (swimmer.state >= swimming_left_first && swimmer.state <= swimming_left_last) {
        if (water(swimmer.x - 1, swimmer.y) && zorbo_rand() % 1000 != 0) {
            swimmer.x -= 2;
        } else {
            swimmer.state = swimmer_turning_right;
        }
    } else if (swimmer.state >= swimming_right_first && swimmer.state <= swimming_right_last) {
        if (water(swimmer.x + 20, swimmer.y) && zorbo_rand() % 1000 != 0) {
            swimmer.x += 2;
        } else {
            swimmer.state = swimmer_turning_left;
        }
    }
}

// A quarter of the steps go down where the water goes on, another quarter
// (and the downward ones that hit the bottom) go up while still under water.
void drift(Actor& swimmer) {
    int r = zorbo_rand() % 4;
    if (r == 0 && water(swimmer.x + 10, swimmer.y + 20)) {
        swimmer.y += 2;
    } else if (r <= 1 && water(swimmer.x + 10, swimmer.y)) {
        swimmer.y -= 2;
    }
}
} // namespace

void swimmer_behaviour(Actor& swimmer) {
    if (swimmer.timer == 0) {
        swim_on(swimmer);
        drift(swimmer);
    }
    for (Rocket& rocket : rockets) {
        if (within_reach(rocket, swimmer, reach)) {
            creature_splash();
            rocket.vx *= -2;
            rocket.vy *= -2;
        }
    }
}
