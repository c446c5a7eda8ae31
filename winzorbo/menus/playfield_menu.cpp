#include "menus/playfield_menu.h"

#include "core/random.h"
#include "core/waiting.h"
#include "match/play_playfield.h"
#include "menus/game_menus.h"
#include "playfield/playfield_loader.h"
#include "screens/results.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <algorithm>

namespace {
// rand() mod count, or nothing from an empty list.
bool pick(int count, int offset, MatchSequence& sequence) {
    if (count <= 0) {
        return false;
    }
    sequence.count = 1;
    sequence.playfields[0] = offset + zorbo_rand() % count;
    return true;
}

void play_one(int index, int totals[2], int target) {
    const PlayfieldEntry& entry = playfield_in_menu_order(index);
    load_playfield(entry.base_name, playfield_display_name(entry));
    play_playfield(totals, target);
}
} // namespace

int playfield_count() {
    return standard_playfields.count + special_playfields.count;
}

const PlayfieldEntry& playfield_in_menu_order(int index) {
    if (index < standard_playfields.count) {
        return standard_playfields.entries[index];
    }
    return special_playfields.entries[index - standard_playfields.count];
}

const char* playfield_display_name(const PlayfieldEntry& entry) {
    return settings.language == language_english ? entry.english_name : entry.swedish_name;
}

bool choose_sequence(int item, MatchSequence& sequence) {
    sequence = MatchSequence{};
    int standard = standard_playfields.count;
    switch (item) {
    case 0:
        return pick(playfield_count(), 0, sequence);
    case 1:
        return pick(standard, 0, sequence);
    case 2:
        return pick(special_playfields.count, standard, sequence);
    case 3:
        sequence.target = 1;
        sequence.count = playfield_count();
        for (int i = 0; i < sequence.count; ++i) {
            sequence.playfields[i] = i;
        }
        return sequence.count > 0;
    case separator_item:
        return false;
    default: {
        int index = item - playfield_menu_first;
        if (index < 0 || index >= std::min(playfield_count(), max_listed_playfields)) {
            return false;
        }
        sequence.count = 1;
        sequence.playfields[0] = index;
        return true;
    }
    }
}

void build_playfield_menu() {
    Menu& menu = playfield_menu;
    menu.title = text(45);
    menu.count = 0;
    for (int id = 48; id <= 51; ++id) {
        MenuItem& item = menu.items[menu.count++];
        item.action = start_matches;
        set_item_text(item, text(id));
    }
    MenuItem& separator = menu.items[menu.count++];
    separator.action = start_matches;
    set_item_text(separator, "---------------");
    int listed = std::min(playfield_count(), max_listed_playfields);
    for (int i = 0; i < listed; ++i) {
        MenuItem& item = menu.items[menu.count++];
        item.action = start_matches;
        set_item_text(item, playfield_display_name(playfield_in_menu_order(i)));
    }
    MenuItem& back_item = menu.items[menu.count++];
    back_item.action = go_back;
    set_item_text(back_item, text(5));
    if (menu.remembered >= menu.count) {
        menu.remembered = 0;
    }
}

void play_sequences(MatchSequence sequence, const std::function<bool(MatchSequence&)>& next,
                    const std::string& label) {
    bool again = true;
    while (again) {
        int totals[2] = {0, 0};
        for (int i = 0; i < sequence.count && !close_requested(); ++i) {
            play_one(sequence.playfields[i], totals, sequence.target);
        }
        again = show_results(totals[0], totals[1], label) == 1 && next(sequence);
    }
}

void start_matches(int item) {
    MatchSequence sequence;
    if (!choose_sequence(item, sequence)) {
        return; // the menu stays
    }
    stop_menu_music();
    play_sequences(
        sequence, [item](MatchSequence& again) { return choose_sequence(item, again); },
        playfield_menu.items[item].text);
    play_menu_music();
}
