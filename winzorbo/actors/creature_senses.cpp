#include "actors/creature_senses.h"

#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "rocket/solid_mask_probe.h"
#include "sound/game_sounds.h"

#include <cstdlib>

bool cell_is(int x, int y, std::int32_t kind) {
    return cell_kind_at(x, y) == kind;
}

bool mask_set(int x, int y) {
    return mask_not_clear(x, y);
}

bool within_reach(const Rocket& rocket, const Actor& actor, int reach) {
    return std::abs(rocket.x - actor.x) < reach && std::abs(rocket.y - actor.y) < reach;
}

void creature_splash() {
    play_game_sound(sound_splash);
}
