#include "HostTestSupport.h"

#include "platform/Registry.h"

#include <QApplication>

#include <cstdlib>

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "scenesaver_host_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

void HostTest::SetUp() {
    EnsureApplication();
    ASSERT_TRUE(home.isValid());
    setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    SetMessagePresenter(
        [this](const std::string& text, MessageIcon icon) { messages.emplace_back(text, icon); });
}

void HostTest::TearDown() {
    SetMessagePresenter({});
}

void HostTest::SetSystemUsesPassword(bool on) {
    ASSERT_TRUE(CRegKey("Control Panel\\Desktop").SetDWORD("ScreenSaveUsePassword", on ? 1 : 0));
}
