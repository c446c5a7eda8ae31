#include "actors/creature_senses.h"
#include "actors/creature_states.h"
#include "actors/creatures.h"
#include "core/random.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

#include <cmath>

namespace {
using namespace creature_state;
constexpr int reach = 22;

bool standing(const Actor& hopper) {
    return mask_set(hopper.x + 2, hopper.y + 20) && mask_set(hopper.x + 16, hopper.y + 20);
}

bool ceiling_close(const Actor& hopper) {
    return mask_set(hopper.x + 2, hopper.y - 12) && mask_set(hopper.x + 16, hopper.y - 12);
}

// Falling two pixels a frame with nothing underneath; on the ground it only
// decides anything at the end of a sit.
void hop(Actor& hopper) {
    if (!standing(hopper)) {
        hopper.state = hopper_falling;
        hopper.y += 2;
        return;
    }
    if (hopper.state != hopper_choosing) {
        return;
    }
    switch (zorbo_rand() % 5) {
    case 0:
        hopper.state = hopper_sitting;
        break;
    case 1:
        if (!ceiling_close(hopper)) {
            hopper.state = hopper_jumping;
            hopper.y -= 16;
        }
        break;
    case 2:
        hopper.state = hopper_looking;
        break;
    default:
        break;
    }
}
} // namespace

void hopper_behaviour(Actor& hopper) {
    if (hopper.timer == 0) {
        hop(hopper);
    }
    for (Rocket& rocket : rockets) {
        if (within_reach(rocket, hopper, reach)) {
            creature_splash();
            rocket.vx *= -2;
            rocket.vy = -std::abs(rocket.vy) - 2;
        }
    }
}
