#include "core/game_state.h"
#include "match/play_playfield.h"

#include <allegro.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Screenshots go to the current folder: each test runs in a fresh one.
class ScreenshotFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/winzorbo-dumps-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        path_ = folder;
        previous_ = fs::current_path();
        fs::current_path(path_);
        surface = create_bitmap(640, 480);
        clear_to_color(surface, 9);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(path_);
        destroy_bitmap(surface);
        surface = nullptr;
    }
    fs::path path_;
    fs::path previous_;
};

std::string dump_name(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "dump%02i.pcx", i);
    return name;
}
} // namespace

TEST_F(ScreenshotFolder, TakesTheFirstFreeNumber) {
    std::ofstream(dump_name(0)) << "taken";
    ASSERT_TRUE(save_screenshot());
    ASSERT_TRUE(save_screenshot());
    EXPECT_EQ(fs::file_size(dump_name(0)), 5u); // left alone
    PALETTE palette;
    BITMAP* picture = load_pcx(dump_name(1).c_str(), palette);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, 640);
    EXPECT_EQ(picture->h, 480);
    EXPECT_EQ(getpixel(picture, 320, 240), 9);
    destroy_bitmap(picture);
    EXPECT_TRUE(fs::exists(dump_name(2)));
}

TEST_F(ScreenshotFolder, WritesNothingWhenAllHundredNamesAreTaken) {
    for (int i = 0; i < 100; ++i) {
        std::ofstream(dump_name(i)) << "taken";
    }
    EXPECT_FALSE(save_screenshot());
    int files = 0;
    for (const auto& entry : fs::directory_iterator(".")) {
        files += entry.is_regular_file();
        EXPECT_EQ(fs::file_size(entry.path()), 5u);
    }
    EXPECT_EQ(files, 100);
}
