#include "actors/creature_senses.h"
#include "actors/creatures.h"
#include "core/random.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

#include <cstdlib>

namespace {
// Everything that differs between walking right and walking left.
struct Facing {
    int walking_first;
    int walking_second;
    int resting;
    int jumping;
    int falling;
    int turned; // the first walking state of the other way
    int ahead;  // x offset of the cell checked for a wall in front
    int foot;   // x offset of the cell checked for ground while falling
    int step;
    double throw_vx;
};

constexpr Facing facing_right{74, 75, 76, 77, 78, 79, 40, 30, 2, 5.0};
constexpr Facing facing_left{79, 80, 81, 82, 83, 74, -1, 10, -2, -4.0};
constexpr double throw_vy = -4.0;
constexpr int jump_steps = 10;
constexpr int carry_cooldown_frames = 50;

const Facing* facing_of(int state) {
    if (state >= facing_right.walking_first && state <= facing_right.falling) {
        return &facing_right;
    }
    if (state >= facing_left.walking_first && state <= facing_left.falling) {
        return &facing_left;
    }
    return nullptr;
}

bool wall_ahead(const Actor& carrier, const Facing& facing) {
    return cell_is(carrier.x + facing.ahead, carrier.y + 16, cell_solid);
}

// Now and then a rest or a jump (throwing whatever it holds), otherwise on
// until a wall or a whim turns it round.
void walk(Actor& carrier, const Facing& facing) {
    if (zorbo_rand() % 100 == 1) {
        carrier.state = facing.resting;
    } else if (zorbo_rand() % 200 == 1) {
        carrier.state = facing.jumping;
        if (carrier.aux == 1 || carrier.aux == 2) {
            Rocket& thrown = rockets[carrier.aux - 1];
            thrown.vx = facing.throw_vx;
            thrown.vy = throw_vy;
        }
        carrier.aux = jump_steps;
    } else if (!wall_ahead(carrier, facing) && zorbo_rand() % 300 != 0) {
        carrier.x += facing.step;
    } else {
        carrier.state = facing.turned;
    }
}

// Up and forward while jump steps are left; a wall ahead ends the forward
// part at once. A carrier entering a jump without steps left falls.
void jump(Actor& carrier, const Facing& facing) {
    if (wall_ahead(carrier, facing)) {
        carrier.state = facing.falling;
    } else {
        carrier.x += facing.step;
    }
    carrier.aux -= 1;
    if (carrier.aux <= 0) {
        carrier.aux = 0;
        carrier.state = facing.falling;
    } else {
        carrier.y -= 2;
    }
}

void fall(Actor& carrier, const Facing& facing) {
    if (!wall_ahead(carrier, facing)) {
        carrier.x += facing.step;
    }
    if (!cell_is(carrier.x + facing.foot, carrier.y + 36, cell_solid)) {
        carrier.y += 2;
    } else {
        carrier.state = facing.walking_first;
    }
}

void take_a_step(Actor& carrier, const Facing& facing) {
    if (carrier.state == facing.walking_first || carrier.state == facing.walking_second) {
        walk(carrier, facing);
    } else if (carrier.state == facing.jumping) {
        jump(carrier, facing);
    } else if (carrier.state == facing.falling) {
        fall(carrier, facing);
    }
}

// A rocket idling beside a carrier on its feet is picked up and held; gas
// pulls it free, and for a while after being held no other carrier may take
// it.
void carry(Actor& carrier) {
    for (int k = 1; k <= 2; ++k) {
        Rocket& rocket = rockets[k - 1];
        if (rocket.input & 2) {
            if (carrier.aux == k) {
                carrier.aux = 0;
            }
        } else if (rocket.carry_cooldown == 0 || carrier.aux == k) {
            if (carrier.x - 16 < rocket.x && rocket.x < carrier.x + 36 &&
                std::abs(rocket.y - carrier.y) <= 17) {
                rocket.x = carrier.x + 20 * (k - 1);
                rocket.y = carrier.y;
                rocket.vx = 0.0;
                rocket.vy = 0.0;
                carrier.aux = k;
                rocket.carry_cooldown = carry_cooldown_frames;
            } else if (carrier.aux == k) {
                carrier.aux = 0;
            }
        }
    }
}

bool on_its_feet(const Actor& carrier, const Facing& facing) {
    return carrier.state == facing.walking_first || carrier.state == facing.walking_second ||
           carrier.state == facing.resting;
}
} // namespace

void carrier_behaviour(Actor& carrier) {
    const Facing* facing = facing_of(carrier.state);
    if (!facing) {
        return;
    }
    if (carrier.timer == 0) {
        take_a_step(carrier, *facing);
        facing = facing_of(carrier.state);
    }
    if (facing && on_its_feet(carrier, *facing)) {
        carry(carrier);
    }
}
