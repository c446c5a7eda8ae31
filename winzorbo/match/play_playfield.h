#pragma once

// One match on the loaded playfield until a player reaches target or
// Escape; adds the match scores to totals and releases the playfield.
void play_playfield(int totals[2], int target);

struct Song;

// Frame step 3: F1 map view, else F8 screenshot, else P pause (the song is
// paused around the box).
void handle_match_keys(Song* song);

// F8: the first free "dump%02i.pcx" in the current directory; false when
// all hundred names are taken.
bool save_screenshot();
