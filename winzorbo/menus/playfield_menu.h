#pragma once

#include "playfield/playfield_catalogue.h"

#include <functional>
#include <string>

// The playfield menu: four ways of choosing, a separator, the playfields
// (standard list, then special list) and back. It has room for 24
// playfields; random choices and the run of every playfield reach all of
// them.
constexpr int playfield_menu_first = 5;
constexpr int max_listed_playfields = 24;
constexpr int separator_item = 4;

// Standard list then special list, as the menu shows them.
int playfield_count();
const PlayfieldEntry& playfield_in_menu_order(int index);
const char* playfield_display_name(const PlayfieldEntry& entry);

struct MatchSequence {
    int count = 0;
    int playfields[2 * max_playfields_per_list] = {}; // menu order
    int target = 3;
};

// What playfield-menu item plays, random choices drawn now. False when it
// plays nothing: the separator, back, or a random choice from an empty list.
bool choose_sequence(int item, MatchSequence& sequence);

// Rebuilt each time a style is chosen, in the current language; keeps its
// remembered selection.
void build_playfield_menu();

// Plays the sequence into fresh totals and shows the results under label;
// again while the players want, next giving each new sequence (false: none).
void play_sequences(MatchSequence sequence, const std::function<bool(MatchSequence&)>& next,
                    const std::string& label);

// The action of every playfield-menu item but back.
void start_matches(int item);
