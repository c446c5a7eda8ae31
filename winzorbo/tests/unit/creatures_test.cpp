// The four creatures on small playfields built here: how each moves on the
// state table and what each does to rockets.
#include "actors/actor_states.h"
#include "core/random.h"
#include "field_fixture.h"
#include "playfield/playfield_state.h"
#include "playfield/rocket.h"
#include "playfield_fixture.h"
#include "shots/shots.h"
#include "sound/game_sounds.h"
#include "sound/sound_layer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr int far_below = 5000;

// The samples loaded as at start-up, so that the splash is told apart from
// the other sounds, and every sound call recorded.
class Creatures : public ::testing::Test {
protected:
    void SetUp() override {
        load_built_zorbo_data();
        start_game_sounds(255);
        sound_record(&log);
        zorbo_srand(1);
    }
    void TearDown() override {
        sound_record(nullptr);
        stop_game_sounds();
    }

    int splashes() const {
        int count = 0;
        for (const std::string& line : log) {
            count += line.rfind("play -1 " + std::to_string(int{sound_splash}) + " ", 0) == 0;
        }
        return count;
    }

    // Both rockets out of every creature's reach.
    static void rockets_away() {
        for (Rocket& rocket : rockets) {
            rocket.x = 0;
            rocket.y = far_below;
        }
    }

    std::vector<std::string> log;
};

struct Expected {
    const char* label;
    int dx; // rocket corner relative to the bomb's
    int dy;
    double vx; // rocket velocity after the blast, from vx = 1.5, vy = 0.5
    double vy;
    int splashes;
};

// Finds a seed whose first draws make a walking carrier jump.
unsigned seed_for_a_jump() {
    for (unsigned seed = 1;; ++seed) {
        zorbo_srand(seed);
        int rest = zorbo_rand() % 100;
        int jump = zorbo_rand() % 200;
        if (rest != 1 && jump == 1) {
            return seed;
        }
    }
}

int fresh_state_count = 0;
void count_fresh_states(Actor& actor) {
    fresh_state_count += actor.timer == 0;
}
} // namespace

TEST_F(Creatures, ABombFallsLandsLiesBlastsAndMovesToAnOpenCell) {
    TestField field(8, 10);
    // Only one cell of the grid is open; the mask has the floor alone, which
    // is all a falling bomb looks at.
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 10; ++r) {
            field.kind(c, r, cell_solid);
        }
    }
    field.kind(5, 6, cell_open);
    field.solid_row(8, 0, 7);
    rockets_away();
    int bomb = field.add_actor(36, 140, 62, 4);
    const Actor& a = actors[bomb];
    for (int frame = 1; frame <= 232; ++frame) {
        update_actors();
        SCOPED_TRACE("frame " + std::to_string(frame));
        if (frame < 20) {
            // One pixel every 4 frames while the mask under it is clear.
            ASSERT_EQ(a.state, 62);
            ASSERT_EQ(a.y, 140 + frame / 4);
            ASSERT_EQ(a.x, 36);
        } else if (frame < 220) {
            ASSERT_EQ(a.state, 63);
            ASSERT_EQ(a.y, 144);
        } else if (frame < 230) {
            ASSERT_EQ(a.state, 64);
        } else if (frame == 230) {
            ASSERT_EQ(a.state, 65);
            ASSERT_EQ(a.y, 144);
        } else if (frame == 231) {
            ASSERT_EQ(a.state, 66);
            ASSERT_EQ(a.x, 100);
            ASSERT_EQ(a.y, 120);
        } else {
            ASSERT_EQ(a.state, 62);
        }
    }
    EXPECT_EQ(splashes(), 0);
}

TEST_F(Creatures, AFallingBombTurnsBackRocketsInFlightOnly) {
    TestField field(10, 10);
    int bomb = field.add_actor(100, 100, 62, 1);
    rockets[0].x = 117;
    rockets[0].y = 84;
    rockets[0].vx = 2.0;
    rockets[0].vy = 3.0;
    rockets[1].x = 95;
    rockets[1].y = 105;
    rockets[1].vx = 1.0;
    rockets[1].landed = 1;
    update_actors();
    EXPECT_EQ(actors[bomb].y, 101);
    EXPECT_EQ(rockets[0].vx, -2.0);
    EXPECT_EQ(rockets[0].vy, -3.0);
    EXPECT_EQ(rockets[1].vx, 1.0);
    EXPECT_EQ(splashes(), 1);
    // Between steps the bomb neither moves nor pushes.
    update_actors();
    EXPECT_EQ(actors[bomb].y, 101);
    EXPECT_EQ(rockets[0].vx, -2.0);
    EXPECT_EQ(splashes(), 1);
}

TEST_F(Creatures, TheBlastPushesRocketsAboveByStrengthAndAngle) {
    const Expected cases[] = {
        // d^2 = 0: K = 8 straight up, the sideways part vanishes.
        {"directly above", 0, -1, 1.5, 0.5 - 8.0, 1},
        // d^2 = 3600 + 20^2 = 4000: K = 5 along atan2(-40, 60).
        {"up and right", 60, -40, 1.5 + 2.0801257358446095, 0.5 - 2.773500981126145, 1},
        {"up and left", -60, -40, 1.5 - 2.0801257358446095, 0.5 - 2.773500981126146, 1},
        // The height is halved with truncation: 27 / 2 = 13, d^2 = 9773, K = 1.
        {"just inside the range", 98, -27, 1.5 + 0.48203976419881317, 0.5 - 0.2656137476197542, 1},
        {"just outside the range", 98, -28, 1.5, 0.5, 0},
        {"level with the bomb", 0, 0, 1.5, 0.5, 0},
        {"below the bomb", 0, 10, 1.5, 0.5, 0},
    };
    for (const Expected& expected : cases) {
        SCOPED_TRACE(expected.label);
        log.clear();
        TestField field(20, 20);
        field.add_actor(200, 200, 63, 1);
        rockets[0].x = 200 + expected.dx;
        rockets[0].y = 200 + expected.dy;
        rockets[0].vx = 1.5;
        rockets[0].vy = 0.5;
        rockets[1].x = 200;
        rockets[1].y = 300;
        update_actors();
        ASSERT_EQ(actors[0].state, 64);
        EXPECT_DOUBLE_EQ(rockets[0].vx, expected.vx);
        EXPECT_DOUBLE_EQ(rockets[0].vy, expected.vy);
        EXPECT_EQ(rockets[1].vx, 0.0);
        EXPECT_EQ(splashes(), expected.splashes);
        // The blast is a single push, not one every frame of the flash.
        update_actors();
        EXPECT_DOUBLE_EQ(rockets[0].vy, expected.vy);
    }
}

TEST_F(Creatures, ABombWithNowhereToGoStaysWhereItIs) {
    struct Field {
        const char* label;
        int width;
        int height;
        bool all_solid;
    };
    // The last field's row draw reaches only the row under the playfield,
    // which is outside it.
    const Field fields[] = {
        {"every cell solid", 12, 12, true},
        {"two columns", 2, 12, false},
        {"three rows", 12, 3, false},
        {"only the row below open", 3, 5, true},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.label);
        TestField field(f.width, f.height);
        if (f.all_solid) {
            for (int c = 0; c < f.width; ++c) {
                for (int r = 0; r < f.height; ++r) {
                    field.kind(c, r, cell_solid);
                }
            }
        }
        rockets_away();
        int bomb = field.add_actor(16, 20, 65, 1);
        update_actors(); // gives up instead of drawing forever
        EXPECT_EQ(actors[bomb].state, 66);
        EXPECT_EQ(actors[bomb].x, 16);
        EXPECT_EQ(actors[bomb].y, 20);
        update_actors();
        EXPECT_EQ(actors[bomb].state, 62);
    }
}

TEST_F(Creatures, AHopperOnNothingFallsTwoPixelsAFrameAndSitsWhenItLands) {
    TestField field(8, 10);
    field.solid_row(8, 0, 7);
    rockets_away();
    int hopper = field.add_actor(60, 100, 71, 1);
    const Actor& a = actors[hopper];
    for (int frame = 1; frame <= 21; ++frame) {
        update_actors();
        SCOPED_TRACE("frame " + std::to_string(frame));
        ASSERT_EQ(a.state, frame <= 20 ? 71 : 67);
        ASSERT_EQ(a.y, 100 + 2 * std::min(frame, 20));
    }
    // Rockets within 22 pixels are thrown back and up, every frame.
    rockets[0].x = a.x + 21;
    rockets[0].y = a.y - 21;
    rockets[0].vx = 3.0;
    rockets[0].vy = 4.0;
    rockets[1].x = a.x + 22;
    rockets[1].y = a.y;
    rockets[1].vx = 3.0;
    update_actors();
    EXPECT_EQ(rockets[0].vx, -6.0);
    EXPECT_EQ(rockets[0].vy, -6.0);
    EXPECT_EQ(rockets[1].vx, 3.0);
    update_actors();
    EXPECT_EQ(rockets[0].vx, 12.0);
    EXPECT_EQ(rockets[0].vy, -8.0);
    EXPECT_EQ(splashes(), 2);
    rockets_away();
    // It sits out the rest of its 200 frames.
    for (int frame = 24; frame <= 220; ++frame) {
        update_actors();
        ASSERT_EQ(a.state, 67) << frame;
        ASSERT_EQ(a.y, 140) << frame;
    }
}

TEST_F(Creatures, AHopperChoosesToSitLookOrJumpAndALowCeilingStopsTheJumps) {
    for (bool ceiling : {false, true}) {
        SCOPED_TRACE(ceiling ? "under a ceiling" : "in the open");
        TestField field(8, 10);
        field.solid_row(8, 0, 7);
        if (ceiling) {
            field.solid_row(6, 0, 7);
        }
        rockets_away();
        zorbo_srand(3);
        int hopper = field.add_actor(60, 140, 67, 200);
        const Actor& a = actors[hopper];
        std::set<int> seen;
        int jumps = 0;
        for (int frame = 0; frame < 20000; ++frame) {
            int before = a.state;
            update_actors();
            seen.insert(a.state);
            if (a.state == 70 && before != 70) {
                ++jumps;
                ASSERT_EQ(a.y, 124); // 16 up from the ground
            }
            ASSERT_TRUE(a.y == 140 || a.state == 70 || a.state == 71) << a.state << " " << a.y;
        }
        EXPECT_TRUE(seen.count(68));
        EXPECT_TRUE(seen.count(69));
        if (ceiling) {
            EXPECT_EQ(jumps, 0);
        } else {
            // About a fifth of the roughly 98 choices.
            EXPECT_GT(jumps, 8);
            EXPECT_TRUE(seen.count(71)); // back down after each jump
        }
        EXPECT_FALSE(seen.count(72) || seen.count(73));
    }
}

TEST_F(Creatures, ASwimmerReversesAtTheWatersEnds) {
    // Deep enough that the swimmer hardly ever drifts up to the surface,
    // where the cell ahead is air and turns it as well.
    TestField field(10, 10);
    for (int c = 2; c <= 6; ++c) {
        for (int r = 1; r <= 8; ++r) {
            field.kind(c, r, cell_water);
        }
    }
    rockets_away();
    int swimmer = field.add_actor(100, 80, 50, 2);
    const Actor& a = actors[swimmer];
    int turns_at_right_end = 0;
    int turns_at_left_end = 0;
    for (int frame = 0; frame < 600; ++frame) {
        int before = a.state;
        update_actors();
        turns_at_right_end += a.state == 54 && before != 54 && a.x == 120;
        turns_at_left_end += a.state == 55 && before != 55 && a.x == 40;
        // The water spans x = 40..139 and y = 20..179; a swimmer is 20
        // square and looks at its top edge.
        ASSERT_GE(a.x, 40);
        ASSERT_LE(a.x, 120);
        ASSERT_GE(a.y, 18);
        ASSERT_LE(a.y, 160);
    }
    // Some 170 steps of 2 pixels: four lengths of the pool or more.
    EXPECT_GE(turns_at_right_end, 2);
    EXPECT_GE(turns_at_left_end, 2);
}

TEST_F(Creatures, ASwimmerTurnsOnceInAThousandStepsInOpenWater) {
    TestField field(30, 5);
    for (int c = 0; c < 30; ++c) {
        for (int r = 0; r < 5; ++r) {
            field.kind(c, r, cell_water);
        }
    }
    rockets_away();
    zorbo_srand(12345);
    int swimmer = field.add_actor(300, 40, 50, 2);
    Actor& a = actors[swimmer];
    int steps = 0;
    int turns = 0;
    for (int frame = 0; frame < 300000; ++frame) {
        // Kept in the middle of the water, so that only the whim turns it.
        a.x = 300;
        a.y = 40;
        int next = actor_states[a.state].next;
        bool swimming_step = a.timer == 1 && next >= 46 && next <= 53;
        update_actors();
        steps += swimming_step;
        turns += swimming_step && (a.state == 54 || a.state == 55);
    }
    ASSERT_GT(steps, 80000);
    // About 86 expected; the bounds are four standard deviations wide.
    EXPECT_GT(turns, steps / 1000 - 37);
    EXPECT_LT(turns, steps / 1000 + 37);
}

TEST_F(Creatures, ACarrierHoldsAnIdleRocketGasFreesItAndNoCarrierRetakesItForFiftyFrames) {
    TestField field(20, 10);
    // Two carriers resting for good, facing right and left.
    int first = field.add_actor(100, 100, 76, 5000);
    int second = field.add_actor(300, 100, 81, 5000);
    Rocket& rocket = rockets[0];
    rockets[1].x = 600;
    rockets[1].y = 300;
    rocket.x = 110;
    rocket.y = 105;
    auto frame = [&](int input) {
        rocket.input = input;
        count_down_carry(rockets[0]);
        count_down_carry(rockets[1]);
        update_actors();
    };
    for (int f = 0; f < 3; ++f) {
        frame(2); // thrusting beside it
        EXPECT_EQ(actors[first].aux, 0);
        EXPECT_EQ(rocket.x, 110);
    }
    frame(0);
    EXPECT_EQ(actors[first].aux, 1);
    EXPECT_EQ(rocket.x, 100);
    EXPECT_EQ(rocket.y, 100);
    EXPECT_EQ(rocket.carry_cooldown, 50);
    // Held: whatever moves it, it is back in the carrier's hands.
    for (int f = 0; f < 6; ++f) {
        rocket.x = 105;
        rocket.y = 103;
        rocket.vx = 1.0;
        rocket.vy = 2.0;
        frame(0);
        ASSERT_EQ(rocket.x, 100);
        ASSERT_EQ(rocket.y, 100);
        ASSERT_EQ(rocket.vx, 0.0);
        ASSERT_EQ(rocket.vy, 0.0);
    }
    frame(2);
    EXPECT_EQ(actors[first].aux, 0);
    // Idle beside the other carrier: left alone until the cooldown of the
    // last hold runs out, in the 50th frame after it.
    rocket.x = 310;
    rocket.y = 100;
    for (int f = 2; f < 50; ++f) {
        frame(0);
        ASSERT_EQ(actors[second].aux, 0) << f;
        ASSERT_EQ(rocket.x, 310) << f;
    }
    frame(0);
    EXPECT_EQ(actors[second].aux, 1);
    EXPECT_EQ(rocket.x, 300);
    EXPECT_EQ(actors[first].aux, 0);
}

TEST_F(Creatures, ACarrierThrowsWhenItJumpsAndLandsAgain) {
    struct Throw {
        const char* label;
        int walking; // a walking state whose next is the other walking state
        int jumping;
        int landed;
        double vx;
    };
    const Throw throws[] = {
        {"walking right", 75, 77, 74, 5.0},
        {"walking left", 80, 82, 79, -4.0},
    };
    unsigned seed = seed_for_a_jump();
    for (const Throw& t : throws) {
        SCOPED_TRACE(t.label);
        TestField field(20, 10);
        field.solid_row(6, 0, 19);
        int carrier = field.add_actor(200, 84, t.walking, 1);
        Actor& a = actors[carrier];
        a.aux = 1;
        Rocket& rocket = rockets[0];
        rocket.x = 200;
        rocket.y = 84;
        rocket.carry_cooldown = 50;
        rockets[1].y = far_below;
        zorbo_srand(seed);
        update_actors();
        EXPECT_EQ(a.state, t.jumping);
        EXPECT_EQ(a.aux, 10);
        EXPECT_EQ(rocket.vx, t.vx);
        EXPECT_EQ(rocket.vy, -4.0);
        // Nine steps up, then down to the floor and walking on.
        int highest = a.y;
        for (int f = 0; f < 100 && a.state != t.landed; ++f) {
            update_actors();
            highest = std::min(highest, a.y);
        }
        EXPECT_EQ(a.state, t.landed);
        EXPECT_EQ(highest, 84 - 18);
        EXPECT_EQ(a.y, 84);
        EXPECT_EQ(t.vx > 0, a.x > 200);
        EXPECT_EQ(rocket.vx, t.vx); // thrown, not held again
    }
}

TEST_F(Creatures, CreaturesOffThePlayfieldReadNothingOutsideIt) {
    TestField field(6, 6); // 120 x 120 pixels, no water, no solid pixel
    rockets_away();
    int carrier = field.add_actor(2, 40, 79, 1);
    int swimmer = field.add_actor(-40, -40, 46, 1);
    int bomb = field.add_actor(0, 110, 62, 1);
    int hopper = field.add_actor(40, 130, 71, 1);
    int lowest_x = 2;
    std::set<int> swimmer_states;
    for (int frame = 1; frame <= 400; ++frame) {
        update_actors();
        lowest_x = std::min(lowest_x, actors[carrier].x);
        swimmer_states.insert(actors[swimmer].state);
        if (frame == 100) {
            // The mask is not clear beyond its edge: neither falls out of
            // the world.
            EXPECT_EQ(actors[bomb].y, 110);
            EXPECT_EQ(actors[bomb].state, 63);
            EXPECT_EQ(actors[hopper].y, 130);
            EXPECT_EQ(actors[hopper].state, 67);
        }
    }
    // Outside the grid is open space: the carrier walks on past the edge.
    EXPECT_LT(lowest_x, 0);
    // No water out there: the swimmer only turns on the spot.
    EXPECT_EQ(actors[swimmer].x, -40);
    EXPECT_TRUE(swimmer_states.count(54) && swimmer_states.count(55));
}

TEST_F(Creatures, TheTableAloneRunsWithoutBehaviours) {
    TestField field(6, 6); // no water: a swimmer's behaviour would turn it
    rockets_away();
    int figure = field.add_actor(100, 60, 46, 5);
    fresh_state_count = 0;
    for (int frame = 0; frame < 14; ++frame) {
        update_actors(count_fresh_states);
    }
    // 46 (5 frames), 47 (2), 48 (5), 49 (2), back at 46: four fresh states.
    EXPECT_EQ(fresh_state_count, 4);
    EXPECT_EQ(actors[figure].state, 46);
    EXPECT_EQ(actors[figure].x, 100);
    update_actors(nullptr);
    EXPECT_EQ(actors[figure].state, 46);
    EXPECT_EQ(actors[figure].timer, 4);
    // With the match's behaviours the same figure finds no water and turns.
    for (int frame = 0; frame < 4; ++frame) {
        update_actors();
    }
    EXPECT_EQ(actors[figure].state, 55);
}
