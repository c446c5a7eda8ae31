#pragma once

// The match without its screen and keys: the rules, rounds and the frame
// body. play_playfield drives it in real time; replays and benchmarks drive
// it headless.

// Scores to 0, the kind of game from the bases, the unused flags hidden.
void begin_match(const int totals[2], int target);

// Called before every frame: when the frames of a round have stopped,
// decides the round, ends the match at the target or sets up the next round
// (or respawn). False when the match is over.
bool prepare_frame();

// Frame steps 4 to 11: shimmer, movement, each rocket's turn, actors,
// collision, shots, cameras, drawing.
void run_frame_body();

// One rocket's turn in the frame (player 0 or 1).
void rocket_turn(int player);

// The flag and score rules and the flag positions of player p.
void apply_flag_rules(int player);
void place_flags(int player);
