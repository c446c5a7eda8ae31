#include "playfield_fixture.h"

#include "core/program_directory.h"
#include "playfield/playfield_catalogue.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {
std::tm date(int month, int day) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

TEST(Catalogue, SeasonalDates) {
    struct Case {
        int month, day;
        bool seasonal;
    } cases[] = {{11, 30, false}, {12, 1, true},  {12, 31, true}, {1, 1, true},
                 {1, 13, true},   {1, 14, false}, {2, 1, false},  {7, 15, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(seasonal_date(date(c.month, c.day)), c.seasonal) << c.month << "/" << c.day;
    }
}

std::set<std::string> names(const PlayfieldList& list) {
    std::set<std::string> result;
    for (int i = 0; i < list.count; ++i) {
        result.insert(list.entries[i].base_name);
    }
    return result;
}

class CatalogueFolder : public ::testing::Test {
protected:
    void SetUp() override {
        PlayfieldBytes ordinary;
        folder.write_playfield("plain", ordinary);
        PlayfieldBytes special;
        special.list = 3;
        special.english = "Special one";
        folder.write_playfield("special", special);
        PlayfieldBytes seasonal;
        seasonal.magic = "CZRB";
        folder.write_playfield("season", seasonal);
        PlayfieldBytes lower;
        lower.magic = "izrb";
        folder.write_playfield("lower", lower);
        auto short_file = ordinary.bytes();
        short_file.resize(56);
        folder.write("scn/short.zrb", short_file);
        folder.write_playfield("toolongname", ordinary);
        PlayfieldBytes unterminated;
        unterminated.swedish = std::string(26, 'S');
        unterminated.english = std::string(30, 'E');
        folder.write_playfield("noend", unterminated);
        folder.write("scn/other.txt", ordinary.bytes());
    }
    PlayfieldFolder folder;
};

TEST_F(CatalogueFolder, ListsOnlyUsableFilesInTheirLists) {
    list_playfields(folder.path() + "/scn", false);
    EXPECT_EQ(names(standard_playfields), (std::set<std::string>{"plain", "noend"}));
    EXPECT_EQ(names(special_playfields), (std::set<std::string>{"special"}));
    EXPECT_EQ(playfield_total, 3);
    for (int i = 0; i < standard_playfields.count; ++i) {
        const PlayfieldEntry& entry = standard_playfields.entries[i];
        if (std::strcmp(entry.base_name, "noend") == 0) {
            EXPECT_EQ(std::string(entry.swedish_name), std::string(25, 'S'));
            EXPECT_EQ(std::string(entry.english_name), std::string(25, 'E'));
        } else {
            EXPECT_STREQ(entry.swedish_name, "Provbana");
            EXPECT_STREQ(entry.english_name, "Test field");
        }
    }
}

TEST_F(CatalogueFolder, SeasonalFilesOnlyInSeason) {
    list_playfields(folder.path() + "/scn", true);
    EXPECT_EQ(names(standard_playfields), (std::set<std::string>{"plain", "noend", "season"}));
    EXPECT_EQ(playfield_total, 4);
    // Listing again starts from empty lists.
    list_playfields(folder.path() + "/scn", false);
    EXPECT_EQ(playfield_total, 3);
}

TEST(Catalogue, EachListHoldsAtMostFifty) {
    PlayfieldFolder folder;
    PlayfieldBytes playfield;
    for (int i = 0; i < 60; ++i) {
        folder.write_playfield("field" + std::to_string(i), playfield);
    }
    playfield.list = 1;
    folder.write_playfield("extra", playfield);
    list_playfields(folder.path() + "/scn", false);
    EXPECT_EQ(standard_playfields.count, max_playfields_per_list);
    EXPECT_EQ(special_playfields.count, 1);
    EXPECT_EQ(playfield_total, max_playfields_per_list + 1);
}

TEST(Catalogue, NoPlayfieldEndsTheProgram) {
    load_built_zorbo_data();
    PlayfieldFolder folder; // an empty "scn"
    EXPECT_EXIT(scan_playfields(), ::testing::ExitedWithCode(1), "");
}
} // namespace
