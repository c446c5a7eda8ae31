// Text pictures need the application's font database, as in the program.

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "scenesaver_scene_tests";
            static char* argv[] = {name, nullptr};
            application = new QGuiApplication(argc, argv);
        }
    }

private:
    QGuiApplication* application = nullptr; // lives until the process ends
};

[[maybe_unused]] const auto* environment = ::testing::AddGlobalTestEnvironment(new GuiApplication);

} // namespace
