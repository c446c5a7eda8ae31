// Every unit test runs with Allegro started without a platform driver, so
// bitmaps, datafiles and configuration work headless.
#include <allegro.h>
#include <gtest/gtest.h>

namespace {
class AllegroEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
        set_color_depth(8);
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
} // namespace
