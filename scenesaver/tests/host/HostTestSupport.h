#pragma once

#include "platform/AppProfile.h"
#include "platform/MessageBox.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// A QApplication for widget tests (offscreen platform), made once.
void EnsureApplication();

// Each test gets an empty configuration folder and records the message boxes
// it would show.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes "ScreenSaveUsePassword" the way the system file holds it.
    void SetSystemUsesPassword(bool on);

    QTemporaryDir home;
    CAppProfile profile{"Quorvatronics\\Screen Saver", "Test Saver"};
    std::vector<std::pair<std::string, MessageIcon>> messages;
};
