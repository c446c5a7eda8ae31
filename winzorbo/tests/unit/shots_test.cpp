#include "field_fixture.h"
#include "playfield/rocket.h"
#include "rocket/game_style.h"
#include "shots/shots.h"

#include <gtest/gtest.h>

namespace {
Rocket& place_rocket(int p, int x, int y, double vx = 0.0, double vy = 0.0) {
    Rocket& rocket = rockets[p];
    rocket.x = x;
    rocket.y = y;
    rocket.vx = vx;
    rocket.vy = vy;
    rocket.health = 100;
    rocket.ammunition = 500;
    return rocket;
}

int active_shots() {
    int count = 0;
    for (const Shot& shot : shots) {
        count += shot.y != 0;
    }
    return count;
}
} // namespace

TEST(Shots, FiringStraightUpStartsAboveTheNoseAndSlows) {
    TestField field(20, 20);
    Rocket& rocket = place_rocket(0, 100, 100);
    place_rocket(1, 300, 300);
    rocket.input = 1;
    fire_shot(rocket);
    const Shot& shot = shots[shot_cursor];
    EXPECT_EQ(shot.x, 109);
    EXPECT_EQ(shot.y, 87);
    EXPECT_DOUBLE_EQ(shot.vy, -6.0);
    EXPECT_EQ(rocket.ammunition, 499);
    update_shots();
    EXPECT_EQ(shot.y, 81);
    EXPECT_DOUBLE_EQ(shot.vy, -5.9);
}

TEST(Shots, NoAmmunitionNoShot) {
    TestField field(20, 20);
    Rocket& rocket = place_rocket(0, 100, 100);
    rocket.ammunition = 0;
    rocket.input = 1;
    int cursor = shot_cursor;
    fire_shot(rocket);
    EXPECT_EQ(shot_cursor, cursor);
    EXPECT_EQ(active_shots(), 0);
}

TEST(Shots, TheSixtyFifthShotOverwritesTheFirst) {
    TestField field(20, 20);
    Rocket& rocket = place_rocket(0, 100, 100);
    rocket.input = 1;
    fire_shot(rocket);
    int first = shot_cursor;
    shots[first].vx = 1.5; // mark it
    for (int i = 0; i < 63; ++i) {
        fire_shot(rocket);
    }
    EXPECT_EQ(active_shots(), 64);
    EXPECT_DOUBLE_EQ(shots[first].vx, 1.5);
    fire_shot(rocket);
    EXPECT_EQ(shot_cursor, first);
    EXPECT_DOUBLE_EQ(shots[first].vx, 0.0);
    EXPECT_EQ(rocket.ammunition, 500 - 65);
}

TEST(Shots, RemovedOnSceneryOutsideTheBitmapAndAtYZero) {
    struct Case {
        int x, y;
        double vx, vy;
    };
    // Into a solid cell, off each side, and exactly onto y 0.
    const Case cases[] = {
        {105, 150, 0, 12}, {2, 100, -5, 0}, {396, 100, 5, 0}, {100, 397, 0, 5}, {100, 5, 0, -5.1}};
    for (const Case& c : cases) {
        TestField field(20, 20);
        field.solid(5, 8);
        place_rocket(0, 300, 300);
        place_rocket(1, 340, 300);
        clear_shots();
        shots[0] = Shot{c.x, c.y, c.vx, c.vy};
        update_shots();
        EXPECT_EQ(shots[0].y, 0) << c.x << "," << c.y;
    }
}

TEST(Shots, WaterAndGooChangeTheFlight) {
    TestField field(20, 20);
    field.kind(5, 5, cell_water);
    field.kind(6, 5, cell_goo);
    place_rocket(0, 300, 300);
    place_rocket(1, 340, 300);
    shots[0] = Shot{100, 100, 0.0, 1.0};
    shots[1] = Shot{125, 110, 5.0, -7.0};
    update_shots();
    EXPECT_NEAR(shots[0].vy, 1.04, 1e-12);
    EXPECT_DOUBLE_EQ(shots[1].vx, 2.0);
    EXPECT_DOUBLE_EQ(shots[1].vy, -2.0);
}

TEST(Shots, AHitCostsFiveHealthAndDropsTheFlag) {
    TestField field(20, 20);
    Rocket& target = place_rocket(1, 200, 200);
    place_rocket(0, 50, 50);
    target.carrying = 1;
    shots[3] = Shot{205, 190, 0.0, 12.0};
    update_shots();
    EXPECT_EQ(target.health, 95);
    EXPECT_EQ(target.carrying, 0);
    EXPECT_EQ(shots[3].y, 0);
}

TEST(Shots, ARocketCanHitItself) {
    TestField field(20, 20);
    Rocket& rocket = place_rocket(0, 100, 100, 0.0, -12.0);
    place_rocket(1, 300, 300);
    rocket.input = 1;
    fire_shot(rocket); // at y 87, moving -18; the rocket outruns it
    rocket.y = 60;
    update_shots();
    EXPECT_EQ(rocket.health, 95);
}

TEST(Crash, CoreOnSceneryDestroysExceptInBouncyStyle) {
    for (GameStyle style : {style_strict, style_lenient, style_bouncy}) {
        TestField field(20, 20);
        field.solid(5, 5);
        game_style = style;
        Rocket& rocket = place_rocket(0, 90, 90); // core pixel (102, 102)
        crash_test(rocket, 0);
        EXPECT_EQ(rocket.health, style == style_bouncy ? 100 : -1) << style;
        Rocket& clear = place_rocket(1, 60, 60);
        crash_test(clear, 1);
        EXPECT_EQ(clear.health, 100);
    }
}

TEST(Collision, BounceRules) {
    struct Case {
        const char* name;
        Rocket first, second;
        double vx1, vy1, vx2, vy2;
    };
    auto rocket = [](int x, int y, double vx, double vy, int landed = 0) {
        Rocket r;
        r.x = x;
        r.y = y;
        r.vx = vx;
        r.vy = vy;
        r.health = 100;
        r.landed = static_cast<unsigned char>(landed);
        return r;
    };
    const Case cases[] = {
        {"fast head-on", rocket(100, 100, 5, 0), rocket(110, 100, -5, 0), -10, 0, 10, 0},
        {"slow, first higher", rocket(100, 95, 3, 0), rocket(110, 100, -3, 0), -6, -4, 6, 2},
        {"slow, second higher", rocket(100, 100, 3, 0), rocket(110, 95, -3, 0), -6, 2, 6, -4},
        {"slow, second higher, first landed", rocket(100, 100, 3, 0, 1), rocket(110, 95, -3, 0), 3,
         0, 6, -4},
        {"resting side by side", rocket(110, 100, 0, 0, 1), rocket(100, 100, 0, 0, 1), 4, 0, -4, 0},
        {"resting, first left", rocket(100, 100, 0, 0, 1), rocket(110, 100, 0, 0, 1), -4, 0, 4, 0},
        {"fast, first landed", rocket(100, 100, 0, 0, 1), rocket(105, 90, 2, 7), 0, 0, -2, -10.5},
        {"fast, second landed", rocket(105, 90, 2, 7), rocket(100, 100, 0, 0, 2), -2, -10.5, 0, 0},
    };
    for (const Case& c : cases) {
        TestField field(20, 20);
        rockets[0] = c.first;
        rockets[1] = c.second;
        rocket_collision(rockets[0], rockets[1]);
        EXPECT_EQ(rockets[0].health, 80) << c.name;
        EXPECT_EQ(rockets[1].health, 80) << c.name;
        EXPECT_DOUBLE_EQ(rockets[0].vx, c.vx1) << c.name;
        EXPECT_DOUBLE_EQ(rockets[0].vy, c.vy1) << c.name;
        EXPECT_DOUBLE_EQ(rockets[1].vx, c.vx2) << c.name;
        EXPECT_DOUBLE_EQ(rockets[1].vy, c.vy2) << c.name;
    }
}

TEST(Collision, NineteenPixelsApartIsNoContact) {
    TestField field(20, 20);
    rockets[0].x = 100;
    rockets[0].health = 100;
    rockets[1].x = 119;
    rockets[1].health = 100;
    rocket_collision(rockets[0], rockets[1]);
    EXPECT_EQ(rockets[0].health, 100);
}
