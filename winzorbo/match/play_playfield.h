#pragma once

// One match on the loaded playfield until a player reaches target or
// Escape; adds the match scores to totals and releases the playfield.
void play_playfield(int totals[2], int target);

// F8: the first free "dump%02i.pcx" in the current directory; false when
// all hundred names are taken.
bool save_screenshot();
