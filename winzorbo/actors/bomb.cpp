#include "actors/creature_senses.h"
#include "actors/creature_states.h"
#include "actors/creatures.h"
#include "core/random.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"

#include <cmath>
#include <cstdint>

namespace {
using namespace creature_state;
constexpr int reach = 18;
constexpr std::int64_t blast_range = 9800; // squared, with the height halved
// A playfield may have no open cell where bombs land; the search gives up
// rather than hang the game, and the bomb starts again where it was.
constexpr int move_draws = 1000;

// One pixel down per step until the mask under the fuse is not clear;
// rockets flying into a falling bomb bounce straight back.
void fall(Actor& bomb) {
    if (mask_set(bomb.x + 14, bomb.y + 16)) {
        bomb.state = bomb_lying;
        return;
    }
    bomb.y += 1;
    for (Rocket& rocket : rockets) {
        if (!rocket.landed && within_reach(rocket, bomb, reach)) {
            creature_splash();
            rocket.vx = -rocket.vx;
            rocket.vy = -rocket.vy;
        }
    }
}

// Rockets above the bomb are thrown away from it, the harder the nearer,
// sideways at half strength.
void blast(const Actor& bomb) {
    for (Rocket& rocket : rockets) {
        if (rocket.y >= bomb.y) {
            continue;
        }
        std::int64_t dx = rocket.x - bomb.x;
        std::int64_t dy = (bomb.y - rocket.y) / 2;
        std::int64_t distance = dx * dx + dy * dy;
        if (distance >= blast_range) {
            continue;
        }
        int strength = static_cast<int>((11200 - distance) / 1400);
        creature_splash();
        double angle = std::atan2(static_cast<double>(rocket.y - bomb.y),
                                  static_cast<double>(rocket.x - bomb.x));
        rocket.vx += std::cos(angle) * strength * 0.5;
        rocket.vy += std::sin(angle) * strength;
    }
}

// A random open cell away from the side columns and the top rows. The row
// draw can name the row just below the playfield, which the grid reads as
// open; a bomb there would lie and blast unseen under the floor, so only
// cells of the playfield count.
void move_to_open_cell(Actor& bomb) {
    int columns = playfield_width - 2;
    int rows = playfield_height - 3;
    if (columns < 1 || rows < 1) {
        return;
    }
    for (int draw = 0; draw < move_draws; ++draw) {
        int x = (zorbo_rand() % columns + 1) * cell_pixels;
        int y = (zorbo_rand() % rows + 4) * cell_pixels;
        if (y / cell_pixels < playfield_height && cell_is(x, y, cell_open)) {
            bomb.x = x;
            bomb.y = y;
            return;
        }
    }
}
} // namespace

void bomb_behaviour(Actor& bomb) {
    if (bomb.timer != 0) {
        return;
    }
    switch (bomb.state) {
    case bomb_falling:
        fall(bomb);
        break;
    case bomb_blast:
        blast(bomb);
        break;
    case bomb_moving:
        move_to_open_cell(bomb);
        break;
    default:
        break;
    }
}
