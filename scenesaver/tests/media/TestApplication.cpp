// The video windows are widgets: the tests' main thread is the window thread.

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class WidgetApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "scenesaver_media_tests";
            static char* argv[] = {name, nullptr};
            application = new QApplication(argc, argv);
        }
    }

private:
    QApplication* application = nullptr; // lives until the process ends
};

[[maybe_unused]] const auto* environment =
    ::testing::AddGlobalTestEnvironment(new WidgetApplication);

} // namespace
