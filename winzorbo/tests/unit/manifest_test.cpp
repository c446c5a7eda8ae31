#include "playfield_fixture.h"

#include "core/game_state.h"
#include "core/zorbo_objects.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <vector>

namespace {
// A copy of the loaded object list that a test may bend.
std::vector<DATAFILE> objects() {
    load_built_zorbo_data();
    return std::vector<DATAFILE>(zorbo_data, zorbo_data + zorbo_object_count + 1);
}

TEST(Manifest, TheBuiltFileMatches) {
    auto list = objects();
    EXPECT_TRUE(datafile_matches_manifest(list.data()));
    EXPECT_FALSE(datafile_matches_manifest(nullptr));
}

TEST(Manifest, WrongCountOrKindIsRefused) {
    auto fewer = objects();
    fewer[zorbo_object_count - 1].type = DAT_END;
    EXPECT_FALSE(datafile_matches_manifest(fewer.data()));

    auto more = objects();
    more.back() = more[0]; // one object too many before the end marker
    more.push_back(objects().back());
    EXPECT_FALSE(datafile_matches_manifest(more.data()));

    auto wrong_kind = objects();
    wrong_kind[obj_font] = wrong_kind[obj_credits]; // binary where the font belongs
    EXPECT_FALSE(datafile_matches_manifest(wrong_kind.data()));

    auto swapped = objects();
    std::swap(swapped[obj_rocket1], swapped[obj_goo]); // both sprites, both 20x20
    EXPECT_TRUE(datafile_matches_manifest(swapped.data()));
    std::swap(swapped[obj_palette_title], swapped[obj_music_menu]);
    EXPECT_FALSE(datafile_matches_manifest(swapped.data()));
}

TEST(Manifest, PictureSizesTheGameBlitsAreChecked) {
    auto list = objects();
    std::swap(list[obj_title], list[obj_intro]); // 640x451 where 640x400 belongs
    EXPECT_FALSE(datafile_matches_manifest(list.data()));

    auto small_rocket = objects();
    small_rocket[obj_rocket2] = small_rocket[obj_sign0]; // a 40x12 sprite
    EXPECT_FALSE(datafile_matches_manifest(small_rocket.data()));
}

TEST(Manifest, EveryIndexHasANameAndTheKindsTheGameUses) {
    const auto& table = zorbo_objects();
    for (int i = 0; i < zorbo_object_count; ++i) {
        EXPECT_FALSE(table[i].name.empty()) << i;
    }
    EXPECT_EQ(table[obj_font].kind, ObjectKind::Font);
    for (int i = obj_palette_interface; i <= obj_palette_intro; ++i) {
        EXPECT_EQ(table[i].kind, ObjectKind::Palette) << i;
    }
    for (int i : {obj_credits, obj_music_credits, obj_music_menu, obj_texts}) {
        EXPECT_EQ(table[i].kind, ObjectKind::Binary) << i;
    }
    for (int i = obj_sound; i < obj_sound + 7; ++i) {
        EXPECT_EQ(table[i].kind, ObjectKind::Binary) << i;
    }
    for (int d = 0; d < 24; ++d) {
        for (int first : {obj_rocket1, obj_rocket1_flame, obj_rocket2, obj_rocket2_flame}) {
            EXPECT_EQ(table[first + d].kind, ObjectKind::RleSprite);
            EXPECT_EQ(table[first + d].width, 20);
        }
    }
}
} // namespace
