#pragma once

// The kind of game follows from the playfield's bases.
enum GameKind { game_shooting = 0, game_two_base = 1, game_central_flag = 2 };

GameKind game_kind_for(int bases);

struct MatchState {
    GameKind kind = game_shooting;
    int target = 3;
    int totals[2] = {0, 0}; // the caller's running totals before this match
    bool first_pass = true;
    bool over = false;
};

extern MatchState match;

// When true the match runs without a screen to wait on: no timer, no waits,
// no message boxes (replays, benchmarks, tests).
extern bool headless_match;
