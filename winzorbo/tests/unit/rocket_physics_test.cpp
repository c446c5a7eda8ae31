#include "actors/actor_states.h"
#include "field_fixture.h"
#include "playfield/rocket.h"
#include "rocket/direction_tables.h"
#include "rocket/game_style.h"
#include "rocket/rocket_motion.h"
#include "rocket/surface_contact.h"

#include <cmath>
#include <gtest/gtest.h>
#include <utility>

namespace {
Rocket flying(int x, int y, double vx, double vy, int direction = 0) {
    Rocket rocket;
    rocket.x = x;
    rocket.y = y;
    rocket.vx = vx;
    rocket.vy = vy;
    rocket.direction = direction;
    rocket.health = 100;
    return rocket;
}
} // namespace

TEST(DirectionTables, AreSineAndMinusCosineOfFifteenDegreeSteps) {
    for (int d = 0; d < direction_count; ++d) {
        double angle = d * M_PI / 12.0;
        EXPECT_NEAR(direction_sin[d], std::sin(angle), 1e-15) << d;
        EXPECT_NEAR(direction_cos[d], -std::cos(angle), 1e-15) << d;
    }
    EXPECT_EQ(direction_cos[0], -1.0);
    EXPECT_EQ(direction_sin[6], 1.0);
    EXPECT_EQ(direction_sin[12], 0.0);
}

TEST(Movement, SmallLeftwardDriftIsPushedPastZeroButRightwardOnlyDecays) {
    TestField field(10, 10);
    Rocket left = flying(100, 100, -0.5, 0.0);
    const double expected[] = {-0.29, -0.0842, 0.117484};
    for (double vx : expected) {
        move_rocket(left);
        left.vy = 0.0;
        EXPECT_NEAR(left.vx, vx, 1e-6);
    }
    Rocket right = flying(100, 100, 0.5, 0.0);
    move_rocket(right);
    EXPECT_DOUBLE_EQ(right.vx, 0.49);
    move_rocket(right);
    EXPECT_DOUBLE_EQ(right.vx, 0.49 * 0.98);
}

TEST(Movement, PositionsMoveByTheVelocityTruncatedTowardZero) {
    TestField field(10, 10);
    Rocket rocket = flying(100, 100, -3.0, -1.9);
    move_rocket(rocket); // vy -1.7, vx -2.94
    EXPECT_EQ(rocket.y, 98);
    EXPECT_EQ(rocket.x, 97);
}

TEST(Movement, WaterEntryBrakesAndSplashesOnlyWhenFast) {
    struct Case {
        double vy;
        double after;
    };
    for (Case c : {Case{5.0, 5.0 / 1.1}, Case{4.3, 4.3 / 1.1}}) {
        TestField field(10, 10);
        field.kind(5, 5, cell_water);
        Rocket rocket = flying(90, 100, 0.0, c.vy);
        move_rocket(rocket);
        EXPECT_NEAR(rocket.vy, c.after, 1e-12);
        EXPECT_EQ(rocket.in_water, 1);
    }
}

TEST(Movement, LeavingWaterKeepsAThirdOfTheRiseThenGravity) {
    TestField field(10, 10);
    Rocket rocket = flying(90, 100, 0.0, -6.0);
    rocket.in_water = 1;
    move_rocket(rocket);
    EXPECT_DOUBLE_EQ(rocket.vy, -1.8);
    EXPECT_EQ(rocket.in_water, 0);
}

TEST(Movement, WaterLiftsSlowRocketsAndCapsTheRise) {
    TestField field(10, 10);
    field.kind(5, 5, cell_water);
    Rocket rocket = flying(90, 100, 1.0, 0.0);
    move_rocket(rocket);
    EXPECT_DOUBLE_EQ(rocket.vy, -0.18);
    EXPECT_DOUBLE_EQ(rocket.vx, 0.96 * 0.98);
    rocket = flying(90, 100, 0.0, -11.9);
    move_rocket(rocket);
    EXPECT_DOUBLE_EQ(rocket.vy, -12.0);
}

TEST(Movement, GooHoldsTheRocket) {
    struct Case {
        double vy;
        double after;
    };
    for (Case c :
         {Case{5.0, 2.0}, Case{1.0, 0.82}, Case{0.1, 0.0}, Case{-5.0, -2.0}, Case{-1.0, -1.0}}) {
        TestField field(10, 10);
        field.kind(5, 5, cell_goo);
        Rocket rocket = flying(90, 100, 1.0, c.vy);
        move_rocket(rocket);
        EXPECT_DOUBLE_EQ(rocket.vy, c.after) << c.vy;
        EXPECT_DOUBLE_EQ(rocket.vx, 0.8 * 0.98);
    }
}

TEST(Movement, AirClampsFallAndRise) {
    TestField field(10, 10);
    Rocket rocket = flying(90, 100, 12.0, 15.9);
    move_rocket(rocket);
    EXPECT_DOUBLE_EQ(rocket.vy, 16.0);
    EXPECT_DOUBLE_EQ(rocket.vx, 10.0);
    rocket = flying(90, 100, -12.0, -10.5);
    move_rocket(rocket);
    EXPECT_DOUBLE_EQ(rocket.vy, -10.0);
    EXPECT_DOUBLE_EQ(rocket.vx, -10.0);
}

TEST(SurfaceContact, RocketRestingOnAFloorInStrictStyleStaysPut) {
    TestField field(10, 10);
    field.solid_row(6, 0, 9);
    Rocket rocket = flying(100, 100, 0.0, 0.0);
    for (int frame = 0; frame < 50; ++frame) {
        move_rocket(rocket);
        apply_cell_effects(rocket);
    }
    EXPECT_EQ(rocket.y, 100);
    EXPECT_EQ(rocket.landed, 1);
    EXPECT_EQ(rocket.vy, 0.0);
}

TEST(SurfaceContact, WallLandingDependsOnStyle) {
    struct Case {
        GameStyle style;
        int direction;
        int landed;
        int direction_after;
    };
    for (Case c : {Case{style_strict, 12, 0, 12}, Case{style_lenient, 12, 1, 6},
                   Case{style_strict, 6, 1, 6}}) {
        TestField field(10, 10);
        for (int r = 0; r < 10; ++r) {
            field.solid(2, r); // wall, its right face at x 59
        }
        game_style = c.style;
        Rocket rocket = flying(60, 100, -1.0, 0.5, c.direction);
        apply_cell_effects(rocket);
        EXPECT_EQ(rocket.landed, c.landed) << c.style;
        EXPECT_EQ(rocket.direction, c.direction_after) << c.style;
        if (c.landed) {
            EXPECT_EQ(rocket.vx, 0.0);
            apply_cell_effects(rocket);
            EXPECT_EQ(rocket.landed, 2); // already landed: touching
        }
    }
}

TEST(SurfaceContact, RightWallSnapsLenientRocketToEighteen) {
    TestField field(10, 10);
    for (int r = 0; r < 10; ++r) {
        field.solid(6, r); // left face at x 120
    }
    game_style = style_lenient;
    Rocket rocket = flying(100, 100, 1.0, 0.0, 3);
    apply_cell_effects(rocket);
    EXPECT_EQ(rocket.direction, 18);
    EXPECT_EQ(rocket.landed, 1);
    EXPECT_EQ(rocket.x, 100);
}

TEST(SurfaceContact, BouncyReflectsFloorsAndWalls) {
    TestField field(10, 10);
    field.solid_row(6, 0, 9);
    game_style = style_bouncy;
    Rocket rocket = flying(100, 101, 2.0, 6.0);
    apply_cell_effects(rocket);
    EXPECT_DOUBLE_EQ(rocket.vy, -5.0);
    EXPECT_EQ(rocket.y, 100); // pushed back out of the floor
    EXPECT_EQ(rocket.landed, 0);

    Rocket fast = flying(100, 97, 0.0, 8.0); // floor 4 pixels ahead
    apply_cell_effects(fast);
    EXPECT_DOUBLE_EQ(fast.vy, -7.0);
    EXPECT_EQ(fast.y, 97);
}

TEST(CellEffects, ConveyorCarriesUprightRocketsOnly) {
    TestField field(10, 10);
    field.kind(5, 5, cell_conveyor, -1);
    Rocket rocket = flying(100, 95, 3.0, 2.0, 23);
    apply_cell_effects(rocket);
    EXPECT_EQ(rocket.x, 96);
    EXPECT_EQ(rocket.y, 90);
    EXPECT_EQ(rocket.landed, 1);
    EXPECT_EQ(rocket.direction, 0);
    EXPECT_EQ(rocket.vx, 0.0);
    EXPECT_EQ(rocket.vy, 0.0);
    rocket.vy = 0.2;
    rocket.vx = 1.0;
    apply_cell_effects(rocket); // already landed: carried, vy held
    EXPECT_EQ(rocket.x, 92);
    EXPECT_EQ(rocket.vy, 0.0);
    EXPECT_EQ(rocket.vx, 1.0);

    Rocket sideways = flying(100, 95, 0.0, 1.0, 4);
    apply_cell_effects(sideways);
    EXPECT_EQ(sideways.x, 100);
    EXPECT_EQ(sideways.landed, 0);
}

TEST(CellEffects, BumpersKickAndStartTheirKickingState) {
    struct Case {
        int bumper;
        double vx, vy;
        int x, y;
    };
    // The rocket's centre is in cell (5, 5): x 100, y 100.
    const Case cases[] = {
        {0, 4, 0.5, 119, 100}, {1, -4, 0.5, 81, 100}, {2, 1, -4, 100, 81}, {3, 1, 4, 100, 119},
        {4, 4, 4, 119, 119},   {5, -4, 4, 81, 119},   {6, 4, -4, 119, 81}, {7, -4, -4, 81, 81},
    };
    for (const Case& c : cases) {
        TestField field(10, 10);
        int actor = field.add_actor(100, 100, 18 + 2 * c.bumper, 100);
        field.kind(5, 5, cell_bumper + c.bumper, actor);
        Rocket rocket = flying(100, 100, 1.0, 0.5);
        apply_cell_effects(rocket);
        EXPECT_EQ(rocket.vx, c.vx) << c.bumper;
        EXPECT_EQ(rocket.vy, c.vy) << c.bumper;
        EXPECT_EQ(rocket.x, c.x) << c.bumper;
        EXPECT_EQ(rocket.y, c.y) << c.bumper;
        EXPECT_EQ(actors[actor].state, 19 + 2 * c.bumper);
        EXPECT_EQ(actors[actor].timer, 6);
    }
}

TEST(CellEffects, BumperWithAStrayActorIndexOnlyKicks) {
    TestField field(10, 10);
    field.kind(5, 5, cell_bumper, 999);
    Rocket rocket = flying(100, 100, 0.0, 0.0);
    apply_cell_effects(rocket);
    EXPECT_EQ(rocket.vx, 4.0);
}

TEST(Controls, RotationWrapsAndIsBlockedWhileLanded) {
    Rocket rocket = flying(0, 0, 0, 0, 23);
    rocket.input = 4;
    rotate_rocket(rocket);
    EXPECT_EQ(rocket.direction, 0);
    rocket.input = 8;
    rotate_rocket(rocket);
    EXPECT_EQ(rocket.direction, 23);
    rocket.input = 8 | 4; // left wins
    rotate_rocket(rocket);
    EXPECT_EQ(rocket.direction, 22);
    rocket.landed = 1;
    rotate_rocket(rocket);
    EXPECT_EQ(rocket.direction, 22);
    rocket.landed = 2;
    rotate_rocket(rocket);
    EXPECT_EQ(rocket.direction, 21);
}

TEST(Controls, ThrustPushesAlongTheNose) {
    Rocket rocket = flying(0, 0, 0, 0, 6);
    rocket.input = 2;
    thrust_rocket(rocket);
    EXPECT_EQ(rocket.flame, 24);
    EXPECT_DOUBLE_EQ(rocket.vx, 0.8);
    EXPECT_DOUBLE_EQ(rocket.vy, 0.0);
    rocket.input = 0;
    thrust_rocket(rocket);
    EXPECT_EQ(rocket.flame, 0);
}

TEST(Controls, SideWrapComesBackAtTheOtherEdge) {
    TestField field(32, 24);
    Rocket rocket = flying(9, 100, 0, 0);
    wrap_rocket(rocket);
    EXPECT_EQ(rocket.x, 600);
    rocket.x = 629;
    wrap_rocket(rocket);
    EXPECT_EQ(rocket.x, 20);
    rocket.x = 628;
    wrap_rocket(rocket);
    EXPECT_EQ(rocket.x, 628);
}

TEST(Reset, FullAndRespawn) {
    TestField field(10, 10);
    field.kind(2, 2, cell_water);
    Rocket rocket = flying(1, 1, 3, 3, 5);
    rocket.start_x = 40;
    rocket.start_y = 40;
    rocket.ammunition = 7;
    rocket.health = -1;
    rocket.carrying = 1;
    reset_rocket(rocket, false);
    EXPECT_EQ(rocket.x, 40);
    EXPECT_EQ(rocket.direction, 12); // starts under water: nose down
    EXPECT_EQ(rocket.health, 100);
    EXPECT_EQ(rocket.ammunition, 7);
    EXPECT_EQ(rocket.carrying, 0);
    reset_rocket(rocket, true);
    EXPECT_EQ(rocket.ammunition, 500);
}

TEST(GridAccess, OutsideThePlayfieldIsOpenSpace) {
    TestField field(4, 4);
    // Above, left of, right of and below the grid: air, no cell effect,
    // no contact.
    for (auto [x, y] :
         {std::pair{-45, -45}, std::pair{-15, 30}, std::pair{200, 30}, std::pair{30, 300}}) {
        Rocket rocket = flying(x, y, 0.0, 1.0);
        move_rocket(rocket);
        EXPECT_DOUBLE_EQ(rocket.vy, 1.2) << x << "," << y;
        apply_cell_effects(rocket);
        EXPECT_EQ(rocket.landed, 0);
        EXPECT_EQ(cell_at(x, y).kind, cell_open);
    }
    EXPECT_EQ(cell_kind(-1, 0), cell_open);
    EXPECT_EQ(cell_kind(4, 0), cell_open);
    EXPECT_EQ(cell_kind(0, grid_size), cell_open);
}
