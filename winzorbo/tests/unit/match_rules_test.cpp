#include "actors/actor_states.h"
#include "field_fixture.h"
#include "match/match_flow.h"
#include "match/match_state.h"
#include "playfield/rocket.h"
#include "playfield_fixture.h"

#include <gtest/gtest.h>

namespace {
// A field with the given bases on row 3 (cells 2, 8, 14) and both rockets
// parked in the air far from them.
void make_bases(TestField& field, int count) {
    for (int b = 0; b < count; ++b) {
        int column = 2 + 6 * b;
        int actor = field.add_actor(column * 20, 60, 34 + 4 * b, 2);
        base_sites[b] = BaseSite{column * 20, 60, actor};
        for (int c = column - 1; c <= column + 1; ++c) {
            field.kind(c, 3, cell_base + b);
            field.kind(c, 4, cell_base + b);
        }
    }
    base_count = count;
    for (int p = 0; p < 2; ++p) {
        rockets[p].x = 200 + 40 * p;
        rockets[p].y = 300;
        rockets[p].health = 100;
    }
}

void put_on_base(int p, int base) {
    rockets[p].x = (2 + 6 * base) * 20 - 10 + 5;
    rockets[p].y = 60;
}

const Actor& flag(int base) {
    return actors[base_sites[base].actor];
}

int totals[2] = {0, 0};
} // namespace

TEST(GameKind, ChosenByTheBaseCount) {
    EXPECT_EQ(game_kind_for(0), game_shooting);
    EXPECT_EQ(game_kind_for(2), game_two_base);
    EXPECT_EQ(game_kind_for(3), game_central_flag);
}

TEST(FlagRules, TwoBaseGameTakeAndBringHome) {
    load_built_zorbo_data();
    TestField field(20, 20);
    make_bases(field, 2);
    begin_match(totals, 3);
    put_on_base(0, 1);
    apply_flag_rules(0);
    EXPECT_EQ(rockets[0].carrying, 1);
    place_flags(0);
    EXPECT_EQ(flag(1).x, rockets[0].x);
    EXPECT_EQ(flag(1).y, rockets[0].y - 20);
    put_on_base(0, 0);
    apply_flag_rules(0);
    EXPECT_EQ(rockets[0].carrying, 0);
    EXPECT_EQ(rockets[0].score, 1);
    place_flags(0);
    EXPECT_EQ(flag(1).x, base_sites[1].x);
    // The own flag cannot be taken.
    apply_flag_rules(0);
    EXPECT_EQ(rockets[0].carrying, 0);
}

TEST(FlagRules, CentralFlagDeliveredToTheWrongBaseScoresForTheOpponent) {
    load_built_zorbo_data();
    TestField field(20, 20);
    make_bases(field, 3);
    begin_match(totals, 3);
    EXPECT_EQ(flag(0).x, -20); // unused flags out of sight
    EXPECT_EQ(flag(1).x, -20);
    put_on_base(1, 2);
    apply_flag_rules(1);
    EXPECT_EQ(rockets[1].carrying, 1);
    put_on_base(0, 2);
    apply_flag_rules(0); // the other one carries it
    EXPECT_EQ(rockets[0].carrying, 0);
    place_flags(0);
    EXPECT_EQ(flag(2).x, rockets[1].x);
    put_on_base(1, 0);
    apply_flag_rules(1);
    EXPECT_EQ(rockets[1].carrying, 0);
    EXPECT_EQ(rockets[0].score, 1);
    EXPECT_EQ(rockets[1].score, 0);
    place_flags(0);
    EXPECT_EQ(flag(2).x, base_sites[2].x);
}

TEST(Rounds, ShootingGameDoubleDestructionGivesBothAPoint) {
    load_built_zorbo_data();
    TestField field(20, 20);
    playfield_fast = 0;
    make_bases(field, 0);
    begin_match(totals, 1);
    ASSERT_TRUE(prepare_frame());
    rockets[0].health = -1;
    rockets[1].health = 0;
    EXPECT_FALSE(prepare_frame());
    EXPECT_EQ(rockets[0].score, 1);
    EXPECT_EQ(rockets[1].score, 1);
    EXPECT_TRUE(match.over);
}

TEST(Rounds, ShootingGameRoundResetsBothRocketsFully) {
    load_built_zorbo_data();
    TestField field(20, 20);
    make_bases(field, 0);
    begin_match(totals, 3);
    ASSERT_TRUE(prepare_frame());
    rockets[0].ammunition = 3;
    rockets[1].ammunition = 4;
    rockets[1].health = -1;
    ASSERT_TRUE(prepare_frame());
    EXPECT_EQ(rockets[0].score, 1);
    EXPECT_EQ(rockets[1].score, 0);
    EXPECT_EQ(rockets[0].ammunition, 500);
    EXPECT_EQ(rockets[1].ammunition, 500);
    EXPECT_EQ(rockets[1].health, 100);
}

TEST(Rounds, TwoBaseGameRespawnsOnlyTheDestroyedRocketWithoutItsFlag) {
    load_built_zorbo_data();
    TestField field(20, 20);
    make_bases(field, 2);
    rockets[0].start_x = 100;
    rockets[0].start_y = 100;
    begin_match(totals, 3);
    ASSERT_TRUE(prepare_frame());
    rockets[0].ammunition = 30;
    rockets[0].carrying = 1;
    rockets[0].health = -1;
    rockets[1].ammunition = 40;
    rockets[1].x = 333;
    ASSERT_TRUE(prepare_frame());
    EXPECT_EQ(rockets[0].health, 100);
    EXPECT_EQ(rockets[0].carrying, 0);
    EXPECT_EQ(rockets[0].ammunition, 30);
    EXPECT_EQ(rockets[0].x, 100);
    EXPECT_EQ(rockets[1].ammunition, 40);
    EXPECT_EQ(rockets[1].x, 333);
    EXPECT_EQ(rockets[0].score + rockets[1].score, 0);
    place_flags(0);
    EXPECT_EQ(flag(1).x, base_sites[1].x);
}

TEST(Rounds, TargetReachedByAFlagEndsTheMatch) {
    load_built_zorbo_data();
    TestField field(20, 20);
    make_bases(field, 2);
    begin_match(totals, 1);
    ASSERT_TRUE(prepare_frame());
    rockets[1].score = 1;
    EXPECT_FALSE(prepare_frame());
}

TEST(Actors, StatesRunOnTheirTimersAndBumpersRest) {
    TestField field(10, 10);
    int bumper = field.add_actor(0, 0, 19, 6);
    int flag = field.add_actor(0, 0, 34, 4);
    for (int frame = 0; frame < 5; ++frame) {
        update_actors();
    }
    EXPECT_EQ(actors[bumper].state, 19);
    EXPECT_EQ(actors[flag].state, 35);
    update_actors();
    EXPECT_EQ(actors[bumper].state, 18);
    EXPECT_EQ(actors[bumper].timer, 1999);
    // Every next state is a row of the table, and only the conveyors and
    // the remains of a blast are drawn without being restored.
    for (int s = 0; s < actor_state_count; ++s) {
        EXPECT_GE(actor_states[s].next, 0);
        EXPECT_LT(actor_states[s].next, actor_state_count);
        bool kept = s <= 5 || s == 65;
        EXPECT_EQ(actor_states[s].restore, !kept) << s;
    }
}
