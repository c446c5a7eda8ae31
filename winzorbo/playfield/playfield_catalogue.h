#pragma once

#include <ctime>
#include <string>

constexpr int max_playfields_per_list = 50;

struct PlayfieldEntry {
    char swedish_name[26] = {};
    char english_name[26] = {};
    char base_name[9] = {}; // file name without ".zrb"
};

struct PlayfieldList {
    PlayfieldEntry entries[max_playfields_per_list];
    int count = 0;
};

extern PlayfieldList standard_playfields;
extern PlayfieldList special_playfields;
extern int playfield_total;

// Seasonal playfields ("CZRB") are listed in December and in January before
// the 14th.
bool seasonal_date(const std::tm& date);

// Lists <folder>/*.zrb into the two lists (emptied first). A file that cannot
// be read, is shorter than a header, has another magic, is seasonal out of
// season, or whose base name needs more than 8 characters is skipped; so is
// any file beyond the 50 a list can hold.
void list_playfields(const std::string& folder, bool seasonal);

// Start-up: the texts, then the playfields in "scn" beside the program. Ends
// the program when no playfield is found.
void scan_playfields();
