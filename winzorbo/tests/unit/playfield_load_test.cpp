#include "playfield_fixture.h"

#include "content/datafile_writer.h"
#include "core/game_state.h"
#include "core/random.h"
#include "core/zorbo_objects.h"
#include "playfield/playfield_file.h"
#include "playfield/playfield_loader.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "startup/settings.h"
#include "startup/text_table.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <optional>

namespace {
class PlayfieldLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() { load_built_zorbo_data(); }
    void SetUp() override { zorbo_srand(42); }
    void TearDown() override { release_playfield(); }

    std::optional<PlayfieldFailure> load(const PlayfieldBytes& playfield) {
        folder.write_playfield("test", playfield);
        return open_playfield("test", "Test");
    }
    void load_ok(const PlayfieldBytes& playfield) {
        auto failure = load(playfield);
        ASSERT_FALSE(failure) << failure->text_id << " " << failure->path;
    }

    PlayfieldFolder folder;
};

TEST_F(PlayfieldLoad, SceneryValuesSetKindsAndDrawTiles) {
    PlayfieldBytes p;
    p.scenery = {0, 1, 254, 255, 3, 254, 254, 0, 0, 0, 0, 4};
    load_ok(p);
    EXPECT_EQ(playfield_width, 4);
    EXPECT_EQ(playfield_height, 3);
    EXPECT_EQ(background_bitmap->w, 80);
    EXPECT_EQ(background_bitmap->h, 60);
    EXPECT_EQ(grid[0][0].kind, cell_open);
    EXPECT_EQ(grid[1][0].kind, cell_open);
    EXPECT_EQ(grid[2][0].kind, cell_goo);
    EXPECT_EQ(grid[3][0].kind, cell_water);
    EXPECT_EQ(getpixel(background_bitmap, 5, 5), 0);
    EXPECT_EQ(getpixel(background_bitmap, 25, 5), 11);   // tile 1
    EXPECT_EQ(getpixel(background_bitmap, 65, 15), 253); // water
    EXPECT_EQ(getpixel(background_bitmap, 5, 25), 13);   // tile 3
    EXPECT_EQ(getpixel(background_bitmap, 65, 45), 20);  // value 4 reaches FAST
    // Goo cells use the 2x2 pattern by column and row parity.
    for (auto [column, row] : {std::pair{2, 0}, std::pair{1, 1}, std::pair{2, 1}}) {
        BITMAP* expected = create_bitmap(20, 20);
        clear_to_color(expected, 0);
        draw_rle_sprite(expected, zorbo_object<RLE_SPRITE>(obj_goo + column % 2 + 2 * (row % 2)), 0,
                        0);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(getpixel(background_bitmap, 20 * column + x, 20 * row + y),
                          getpixel(expected, x, y));
            }
        }
        destroy_bitmap(expected);
    }
    // The world starts as a copy of the background; nothing solid.
    EXPECT_EQ(getpixel(world_bitmap, 25, 5), 11);
    EXPECT_EQ(getpixel(solid_mask, 25, 5), 0);
}

TEST_F(PlayfieldLoad, SkipPairsAndSolidTiles) {
    PlayfieldBytes p;
    p.width = 7;
    p.height = 4;
    p.placements = {{}, {{0, 5}, {2, 1}, {0, 1}}, {{0, 2}, {0, 0}, {2, 2}, {0, 0}, {2, 0}, {0, 9}}};
    load_ok(p);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(grid[column][1].kind, cell_open) << column;
    }
    EXPECT_EQ(grid[5][1].kind, cell_solid);
    EXPECT_EQ(grid[6][1].kind, cell_open);
    EXPECT_EQ(getpixel(solid_mask, 105, 25), 21);
    EXPECT_EQ(getpixel(background_bitmap, 105, 25), 21);
    EXPECT_EQ(getpixel(solid_mask, 95, 25), 0);
    // (0, 0) keeps the column: tiles 2 and 0 land in columns 2 and 3.
    EXPECT_EQ(grid[2][2].kind, cell_solid);
    EXPECT_EQ(grid[3][2].kind, cell_solid);
    EXPECT_EQ(getpixel(solid_mask, 45, 45), 22);
    EXPECT_EQ(getpixel(solid_mask, 65, 45), 20);
}

TEST_F(PlayfieldLoad, WaterBlocksAndEdges) {
    PlayfieldBytes p;
    p.width = 3;
    p.scenery = {0, 255, 0, 0, 0, 0, 0, 0, 0};
    p.placements = {{{10, 1}, {0, 2}}, {{0, 1}, {10, 1}, {10, 0}}};
    load_ok(p);
    // Open above: the lower half is water and the wave seen from above.
    EXPECT_EQ(grid[0][0].kind, cell_water);
    EXPECT_EQ(getpixel(background_bitmap, 5, 5), 0);
    EXPECT_EQ(getpixel(background_bitmap, 5, 15), 253);
    // Water above: the upper half, with the wave seen from below.
    EXPECT_EQ(grid[1][1].kind, cell_water);
    EXPECT_EQ(getpixel(background_bitmap, 25, 25), 253);
    EXPECT_EQ(getpixel(background_bitmap, 25, 35), 0);
    EXPECT_EQ(getpixel(background_bitmap, 45, 35), 253); // full block
    ASSERT_EQ(actor_count, 2);
    EXPECT_EQ(actors[0].x, 0);
    EXPECT_EQ(actors[0].y, 0);
    EXPECT_GE(actors[0].state, 6);
    EXPECT_LE(actors[0].state, 11);
    EXPECT_EQ(actors[1].x, 20);
    EXPECT_EQ(actors[1].y, 30);
    EXPECT_GE(actors[1].state, 12);
    EXPECT_LE(actors[1].state, 17);
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(actors[i].timer, 1);
        EXPECT_LE(actors[i].timer, 4);
        EXPECT_EQ(actors[i].aux, 0);
    }
}

TEST_F(PlayfieldLoad, ConveyorsAndBumpers) {
    PlayfieldBytes p;
    p.width = 8;
    p.height = 4;
    p.placements = {{},
                    {{11, 0}, {11, 5}, {0, 6}},
                    {{12, 0}, {12, 1}, {12, 2}, {12, 3}, {12, 4}, {12, 5}, {12, 6}, {12, 7}}};
    load_ok(p);
    ASSERT_EQ(actor_count, 10);
    EXPECT_EQ(grid[0][1].kind, cell_conveyor);
    EXPECT_EQ(grid[0][1].aux, -1);
    EXPECT_EQ(actors[0].state, 0);
    EXPECT_EQ(actors[0].y, 30);
    EXPECT_EQ(grid[1][1].aux, 1);
    EXPECT_EQ(actors[1].state, 3);
    EXPECT_EQ(actors[1].x, 20);
    const int timers[8] = {1999, 2999, 3999, 4999, 1999, 2999, 3999, 4999};
    for (int bumper = 0; bumper < 8; ++bumper) {
        const Cell& cell = grid[bumper][2];
        EXPECT_EQ(cell.kind, cell_bumper + bumper);
        ASSERT_EQ(cell.aux, 2 + bumper);
        EXPECT_EQ(actors[cell.aux].state, 18 + 2 * bumper);
        EXPECT_EQ(actors[cell.aux].timer, timers[bumper]);
        EXPECT_EQ(actors[cell.aux].x, 20 * bumper);
        EXPECT_EQ(actors[cell.aux].y, 40);
    }
}

TEST_F(PlayfieldLoad, BasesMarkTheirCellsAndGetSigns) {
    PlayfieldBytes p;
    p.width = 6;
    p.height = 5;
    p.placements = {{}, {{0, 1}, {13, 1}, {0, 2}, {13, 0}, {0, 1}}, {}, {{13, 2}, {0, 5}}};
    load_ok(p);
    EXPECT_EQ(base_count, 3);
    EXPECT_EQ(base_sites[1].x, 20);
    EXPECT_EQ(base_sites[1].y, 20);
    EXPECT_EQ(actors[base_sites[1].actor].state, 38);
    EXPECT_EQ(actors[base_sites[1].actor].timer, 2);
    EXPECT_EQ(actors[base_sites[0].actor].state, 34);
    EXPECT_EQ(actors[base_sites[2].actor].state, 42);
    for (int column = 0; column <= 2; ++column) {
        EXPECT_EQ(grid[column][1].kind, 111);
        EXPECT_EQ(grid[column][2].kind, 111);
    }
    for (int column = 3; column <= 5; ++column) {
        EXPECT_EQ(grid[column][1].kind, 110);
        EXPECT_EQ(grid[column][2].kind, 110);
    }
    // Base 2 in the corner: its cells beyond the playfield are left alone.
    EXPECT_EQ(grid[0][3].kind, 112);
    EXPECT_EQ(grid[1][3].kind, 112);
    EXPECT_EQ(cell_kind(-1, 3), cell_open);
    // The sign under base 1 is drawn on the background at (x - 10, y + 28).
    RLE_SPRITE* sign = zorbo_object<RLE_SPRITE>(obj_sign0 + 1);
    int drawn = 0;
    for (int y = 0; y < sign->h; ++y) {
        for (int x = 0; x < sign->w; ++x) {
            drawn += getpixel(background_bitmap, 10 + x, 48 + y) != 0;
        }
    }
    EXPECT_GT(drawn, sign->w * sign->h / 2);
}

TEST_F(PlayfieldLoad, CreaturesAndStartPositions) {
    settings.controls[action_gas][1] = 1234;
    settings.controls[action_left][0] = KEY_Z;
    PlayfieldBytes p;
    p.width = 5;
    p.default_starts = false;
    p.placements = {{{14, 0}, {15, 0}, {16, 0}, {17, 0}, {18, 0}},
                    {{0, 2}, {255, 1}, {0, 1}, {255, 0}},
                    {{18, 0}, {77, 3}, {0, 3}}};
    zorbo_srand(7);
    int first_carrier = zorbo_rand() % 2 == 0 ? 79 : 74;
    int second_carrier = zorbo_rand() % 2 == 0 ? 79 : 74;
    zorbo_srand(7);
    load_ok(p);
    ASSERT_EQ(actor_count, 6);
    const Actor expected[6] = {
        {0, 0, 2, 50, 0},  {20, 0, 500, 56, 0},          {36, 0, 4, 62, 0},
        {60, 0, 1, 71, 0}, {80, 4, 4, first_carrier, 0}, {0, 44, 4, second_carrier, 0}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(actors[i].x, expected[i].x) << i;
        EXPECT_EQ(actors[i].y, expected[i].y) << i;
        EXPECT_EQ(actors[i].timer, expected[i].timer) << i;
        EXPECT_EQ(actors[i].state, expected[i].state) << i;
        EXPECT_EQ(actors[i].aux, 0) << i;
    }
    // An unknown code (77) takes its cell and nothing else.
    EXPECT_EQ(grid[1][2].kind, cell_open);
    EXPECT_EQ(rockets[1].start_x, 40);
    EXPECT_EQ(rockets[1].start_y, 20);
    EXPECT_EQ(rockets[0].start_x, 80);
    EXPECT_EQ(rockets[0].start_y, 20);
    EXPECT_EQ(rockets[1].gas, 1234);
    EXPECT_EQ(rockets[0].left, KEY_Z);
}

TEST_F(PlayfieldLoad, OutsideTheGridIsOpen) {
    PlayfieldBytes p;
    p.scenery = std::vector<std::uint8_t>(12, 255);
    load_ok(p);
    EXPECT_EQ(cell_kind(0, 0), cell_water);
    EXPECT_EQ(cell_kind(3, 2), cell_water);
    for (auto [column, row] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{4, 0}, std::pair{0, 3},
                               std::pair{255, 255}, std::pair{-100000, 7}, std::pair{1000000, 1}}) {
        EXPECT_EQ(cell_kind(column, row), cell_open) << column << "," << row;
    }
    EXPECT_EQ(cell_kind_at(-5, 5), cell_open);
    EXPECT_EQ(cell_kind_at(5, -5), cell_open);
    EXPECT_EQ(cell_kind_at(79, 59), cell_water);
    EXPECT_EQ(cell_kind_at(80, 59), cell_open);
}

struct Refusal {
    const char* label;
    int text_id;
    const char* path_end;
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> with(void (*change)(PlayfieldBytes&)) {
    PlayfieldBytes p;
    change(p);
    return p.bytes();
}

std::vector<std::uint8_t> cut(std::size_t length) {
    auto bytes = PlayfieldBytes().bytes();
    bytes.resize(length);
    return bytes;
}

std::vector<Refusal> refusals() {
    auto oversized = PlayfieldBytes().bytes();
    oversized.resize(max_playfield_file_size + 1, 0);
    auto whole = PlayfieldBytes().bytes();
    return {
        {"56 bytes", 19, "scn/test.zrb", cut(56)},
        {"no size bytes", 19, "scn/test.zrb", cut(68)},
        {"scenery cut", 19, "scn/test.zrb", cut(69 + 11)},
        {"placements cut", 19, "scn/test.zrb", cut(whole.size() - 1)},
        {"oversized", 19, "scn/test.zrb", oversized},
        {"magic", 19, "scn/test.zrb", with([](PlayfieldBytes& p) { p.magic = "izrb"; })},
        {"empty width", 19, "scn/test.zrb", with([](PlayfieldBytes& p) { p.width = 0; })},
        {"empty height", 19, "scn/test.zrb", with([](PlayfieldBytes& p) { p.height = 0; })},
        {"unterminated name", 19, "scn/test.zrb",
         with([](PlayfieldBytes& p) { p.swedish = std::string(26, 'x'); })},
        {"unterminated english", 19, "scn/test.zrb",
         with([](PlayfieldBytes& p) { p.english = std::string(26, 'x'); })},
        {"datafile parent", 18, "scn/test.zrb",
         with([](PlayfieldBytes& p) { p.datafile = "..tiles"; })},
        {"datafile slash", 18, "scn/test.zrb",
         with([](PlayfieldBytes& p) { p.datafile = "a/tiles"; })},
        {"datafile unterminated", 18, "scn/test.zrb",
         with([](PlayfieldBytes& p) { p.datafile = "tilestiles"; })},
        {"datafile empty", 18, "scn/test.zrb", with([](PlayfieldBytes& p) { p.datafile = ""; })},
        {"datafile missing", 18, "scn/nothere.dat",
         with([](PlayfieldBytes& p) { p.datafile = "nothere"; })},
        {"datafile without BAK", 18, "scn/nobak.dat",
         with([](PlayfieldBytes& p) { p.datafile = "nobak"; })},
        {"scenery tile of palette kind", 18, "scn/tiles.dat",
         with([](PlayfieldBytes& p) { p.scenery = {7}; })},
        {"scenery tile beyond", 18, "scn/tiles.dat",
         with([](PlayfieldBytes& p) { p.scenery = {8}; })},
        {"solid tile of palette kind", 18, "scn/tiles.dat", with([](PlayfieldBytes& p) {
             p.placements = {{}, {{2, 3}, {0, 3}}};
         })},
        {"solid tile beyond", 18, "scn/tiles.dat", with([](PlayfieldBytes& p) {
             p.placements = {{}, {{2, 200}, {0, 3}}};
         })},
        {"no start for player 2", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.default_starts = false;
             p.placements = {{{255, 0}, {0, 3}}};
         })},
        {"no start at all", 19, "scn/test.zrb",
         with([](PlayfieldBytes& p) { p.default_starts = false; })},
        {"start for a third player", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.placements = {{{255, 2}, {0, 1}}};
         })},
        {"bumper 8", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.placements = {{}, {{12, 8}, {0, 3}}};
         })},
        {"base 3", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.placements = {{}, {{13, 3}, {0, 3}}};
         })},
        {"one base", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.placements = {{}, {{13, 0}, {0, 3}}};
         })},
        {"base twice", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.placements = {{}, {{13, 0}, {13, 0}, {13, 1}, {0, 1}}};
         })},
        {"1020 actors", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.width = 255;
             p.height = 6;
             std::vector<std::pair<int, int>> row(255, {15, 0});
             p.placements = {{}, row, row, row, row};
         })},
        {"1004 creatures", 19, "scn/test.zrb", with([](PlayfieldBytes& p) {
             p.width = 251;
             p.height = 6;
             std::vector<std::pair<int, int>> row;
             const int creatures[] = {14, 16, 17, 18};
             for (int column = 0; column < p.width; ++column) {
                 row.emplace_back(creatures[column % 4], 0);
             }
             p.placements = {{}, row, row, row, row};
         })},
    };
}

TEST_F(PlayfieldLoad, RefusesFaultyFilesWithTheirMessage) {
    DatafileWriter without_bak;
    without_bak.add_binary("MUSIC", {});
    PALETTE palette{};
    without_bak.add_palette("PAL", palette);
    ASSERT_TRUE(without_bak.write(folder.path() + "/scn/nobak.dat"));
    for (const Refusal& refusal : refusals()) {
        folder.write("scn/test.zrb", refusal.bytes);
        auto failure = open_playfield("test", "Test");
        ASSERT_TRUE(failure) << refusal.label;
        EXPECT_EQ(failure->text_id, refusal.text_id) << refusal.label;
        EXPECT_EQ(failure->path, folder.path() + "/" + refusal.path_end) << refusal.label;
        // Nothing stays loaded after a refusal.
        EXPECT_EQ(playfield_data, nullptr) << refusal.label;
        EXPECT_EQ(world_bitmap, nullptr) << refusal.label;
    }
}

TEST_F(PlayfieldLoad, AThousandActorsStillLoad) {
    PlayfieldBytes p;
    p.width = 250;
    p.height = 6;
    std::vector<std::pair<int, int>> row(250, {15, 0});
    p.placements = {{}, row, row, row, row};
    load_ok(p);
    EXPECT_EQ(actor_count, max_actors);
}

TEST_F(PlayfieldLoad, MissingFileIsRefused) {
    auto failure = open_playfield("missing", "Missing");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->text_id, 19);
    EXPECT_EQ(failure->path, folder.path() + "/scn/missing.zrb");
}

TEST_F(PlayfieldLoad, FailureEndsTheProgramWithExitCode1) {
    load_texts(); // no text.txt in the folder: the copy in Zorbo.dat
    settings.language = language_english;
    EXPECT_EXIT(load_playfield("missing", "Missing"), ::testing::ExitedWithCode(1), "");
}
} // namespace

namespace {
// A datafile with the three markers where FAST is not a tile.
void write_datafile_with_fast(const std::string& path, bool fast_is_sprite) {
    DatafileWriter writer;
    writer.add_binary("MUSIC", {});
    writer.add_binary("BAK", {});
    if (fast_is_sprite) {
        BITMAP* tile = create_bitmap_ex(8, 20, 20);
        clear_to_color(tile, 5);
        writer.add_sprite("FAST", tile);
        destroy_bitmap(tile);
    } else {
        writer.add_binary("FAST", {1, 2, 3, 4});
    }
    PALETTE palette{};
    writer.add_palette("PAL", palette);
    ASSERT_TRUE(writer.write(path));
}

TEST_F(PlayfieldLoad, AFastObjectThatIsNoTileIsRefusedWithTheDatafileMessage) {
    // The divider column draws FAST even when no solid tile is placed.
    write_datafile_with_fast(folder.path() + "/scn/odd.dat", false);
    PlayfieldBytes p;
    p.datafile = "odd";
    auto failure = load(p);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->text_id, 18);
    EXPECT_EQ(failure->path, folder.path() + "/scn/odd.dat");
    EXPECT_EQ(playfield_data, nullptr);

    write_datafile_with_fast(folder.path() + "/scn/odd.dat", true);
    load_ok(p);
}

TEST_F(PlayfieldLoad, TheLoadingBoxIsDrawnInColoursThatShow) {
    // After the intro's fades the interface colours are black.
    PALETTE black{};
    set_palette(black);
    BITMAP* previous = surface;
    surface = create_bitmap(640, 480);
    clear_bitmap(surface);
    load_texts();
    ASSERT_TRUE(open_playfield("missing", "Missing")); // the box, then the refusal
    PALETTE now;
    get_palette(now);
    const RGB* interface = zorbo_object<RGB>(obj_palette_interface);
    int text_pixels = 0;
    for (int y = 130; y <= 180; ++y) {
        for (int x = 0; x < 640; ++x) {
            text_pixels += getpixel(surface, x, y) == 254;
        }
    }
    EXPECT_GT(text_pixels, 0);
    EXPECT_EQ(now[254].r, interface[254].r);
    EXPECT_EQ(now[254].g, interface[254].g);
    EXPECT_EQ(now[254].b, interface[254].b);
    EXPECT_GT(now[254].r + now[254].g + now[254].b, 0);
    destroy_bitmap(surface);
    surface = previous;
}
} // namespace
