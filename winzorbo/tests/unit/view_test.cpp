#include "core/game_state.h"
#include "field_fixture.h"
#include "match/match_state.h"
#include "playfield/rocket.h"
#include "playfield_fixture.h"
#include "shots/shots.h"
#include "view/cameras.h"
#include "view/dirty_list.h"
#include "view/status_panel.h"
#include "view/world_drawing.h"

#include <allegro.h>
#include <gtest/gtest.h>

TEST(Cameras, LookAheadLeansForwardAndSwingsBack) {
    int look = 0;
    for (int frame = 0; frame < 20; ++frame) {
        look = next_look_ahead(look, 9.0);
    }
    EXPECT_EQ(look, 80);
    EXPECT_EQ(next_look_ahead(look, 9.0), 80);
    for (int frame = 0; frame < 10; ++frame) {
        look = next_look_ahead(look, -9.0);
    }
    EXPECT_EQ(look, 0);
    for (int frame = 0; frame < 20; ++frame) {
        look = next_look_ahead(look, -9.0);
    }
    EXPECT_EQ(look, -80);
}

TEST(Cameras, LookAheadRules) {
    struct Case {
        int look;
        double vx;
        int after;
    };
    const Case cases[] = {
        {5, 0.5, 4},      {-5, -0.9, -4},   {0, 0.0, 0},      {-10, 5.0, -6},   {38, 5.0, 40},
        {40, 5.0, 40},    {24, 3.0, 25},    {25, 3.0, 25},    {-3, 3.0, -1},    {11, 1.5, 10},
        {10, 2.0, 10},    {5, -5.0, 1},     {-39, -5.0, -41}, {-40, -6.0, -40}, {-24, -3.0, -25},
        {-11, -1.0, -10}, {-10, -2.0, -10}, {3, -3.0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(next_look_ahead(c.look, c.vx), c.after) << c.look << " at " << c.vx;
    }
}

TEST(Cameras, LowPlayfieldIsCentredAndEdgesHoldTheView) {
    TestField field(32, 20);
    Camera camera;
    Rocket rocket;
    rocket.x = 5;
    rocket.y = 200;
    update_camera(camera, rocket);
    EXPECT_EQ(camera.y, -40);
    EXPECT_EQ(camera.x, 0);
    rocket.x = 20 * 32 - 12;
    update_camera(camera, rocket);
    EXPECT_EQ(camera.x, 20 * 32 - 300);
}

TEST(Cameras, TallPlayfieldFollowsTheRocketWithinTheWorld) {
    TestField field(40, 40);
    Camera camera;
    Rocket rocket;
    rocket.x = 400;
    rocket.y = 400;
    update_camera(camera, rocket);
    EXPECT_EQ(camera.y, 170);
    EXPECT_EQ(camera.x, 260);
    rocket.y = 790;
    update_camera(camera, rocket);
    EXPECT_EQ(camera.y, 800 - 480);
}

namespace {
int column_colour(int x, int y) {
    return getpixel(surface, x, y);
}
} // namespace

TEST(StatusPanel, BarsAndScore) {
    load_built_zorbo_data();
    TestField field(10, 10);
    rockets[0].ammunition = 500;
    rockets[0].health = 100;
    rockets[1].ammunition = 0;
    rockets[1].health = 50;
    match.totals[0] = 2;
    rockets[0].score = 1;
    clear_to_color(surface, 7);
    draw_status_panel();
    // Full bars reach y 340; an empty ammunition bar leaves one pixel.
    EXPECT_EQ(column_colour(312, 338), 0);
    EXPECT_EQ(column_colour(312, 339), 7); // the gap between cleared and full
    EXPECT_EQ(column_colour(312, 340), 235);
    EXPECT_EQ(column_colour(313, 440), 235);
    EXPECT_EQ(column_colour(326, 438), 0);
    EXPECT_EQ(column_colour(326, 440), 235);
    EXPECT_EQ(column_colour(308, 340), 231);
    EXPECT_EQ(column_colour(331, 388), 0);
    EXPECT_EQ(column_colour(331, 390), 225);
    EXPECT_EQ(column_colour(320, 441), 7); // nothing below the bars
    EXPECT_EQ(column_colour(302, 200), 239);
    int text_pixels = 0;
    for (int y = 200; y <= 220; ++y) {
        for (int x = 302; x <= 336; ++x) {
            text_pixels += column_colour(x, y) == 254;
        }
    }
    EXPECT_GT(text_pixels, 10); // "3:0"
}

TEST(StatusPanel, OutOfRangeValuesStayInsideTheirBoxes) {
    load_built_zorbo_data();
    TestField field(10, 10);
    rockets[0].health = -40; // collisions drive health far below zero
    rockets[0].ammunition = 900;
    rockets[1].health = 300;
    rockets[1].ammunition = -50;
    clear_to_color(surface, 7);
    draw_status_panel();
    for (int x : {308, 312, 326, 331}) {
        EXPECT_EQ(column_colour(x, 337), 7) << x;
        EXPECT_EQ(column_colour(x, 441), 7) << x;
    }
    EXPECT_EQ(column_colour(308, 440), 0); // only the cleared area
    EXPECT_EQ(column_colour(326, 440), 0);
    EXPECT_EQ(column_colour(312, 338), 0);
    EXPECT_EQ(column_colour(312, 340), 235);
}

TEST(DirtyList, OverflowRestoresTheWholeWorld) {
    TestField field(10, 10);
    clear_to_color(background_bitmap, 3);
    clear_to_color(world_bitmap, 9);
    for (int i = 0; i < dirty_capacity + 50; ++i) {
        add_dirty(i % 100, 0, 1, 1);
    }
    EXPECT_EQ(dirty_list.count, dirty_capacity);
    EXPECT_TRUE(dirty_list.overflowed);
    restore_dirty(background_bitmap, world_bitmap);
    EXPECT_EQ(getpixel(world_bitmap, 150, 150), 3);
    EXPECT_EQ(dirty_list.count, 0);
    EXPECT_FALSE(dirty_list.overflowed);
}

TEST(DrawWorld, RestoresLastFrameAndDrawsSpritesShotsAndViews) {
    load_built_zorbo_data();
    TestField field(40, 30);
    clear_to_color(background_bitmap, 5);
    blit(background_bitmap, world_bitmap, 0, 0, 0, 0, 800, 600);
    rockets[0].x = 100;
    rockets[0].y = 100;
    rockets[0].health = 100;
    rockets[1].x = 500;
    rockets[1].y = 300;
    rockets[1].health = -1;          // wreck
    field.add_actor(-20, 60, 34, 4); // a hidden flag: clipped, harmless
    shots[0] = Shot{200, 150, 0, 0};
    cameras[0] = Camera{0, 0, 0};
    cameras[1] = Camera{400, 100, 0};
    draw_world();
    EXPECT_EQ(getpixel(world_bitmap, 200, 150), 232);
    EXPECT_EQ(getpixel(surface, 200, 150), 232); // left view
    int wreck_pixels = 0;
    for (int y = 200; y < 220; ++y) {
        for (int x = 440; x < 460; ++x) {
            wreck_pixels += getpixel(surface, x, y) != 5;
        }
    }
    EXPECT_GT(wreck_pixels, 20); // right view
    int rocket_pixels = 0;
    for (int y = 100; y < 120; ++y) {
        for (int x = 100; x < 120; ++x) {
            rocket_pixels += getpixel(surface, x, y) != 5;
        }
    }
    EXPECT_GT(rocket_pixels, 20);
    // Next frame: the shot is gone and its pixels come back.
    shots[0].y = 0;
    rockets[0].x = 140;
    draw_world();
    EXPECT_EQ(getpixel(world_bitmap, 200, 150), 5);
    EXPECT_EQ(getpixel(world_bitmap, 101, 101), 5);
}
