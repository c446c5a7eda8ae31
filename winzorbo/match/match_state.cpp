#include "match/match_state.h"

MatchState match;
bool headless_match = false;

GameKind game_kind_for(int bases) {
    if (bases == 0) {
        return game_shooting;
    }
    return bases >= 3 ? game_central_flag : game_two_base;
}
