#include "platform/Registry.h"
#include "platform/AppProfile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    }
    std::string Folder() const { return home.path().toStdString() + "/Quorvatronics/"; }

    QTemporaryDir home;
};
} // namespace

TEST_F(RegistryTest, KeysMapToFilesAndGroups) {
    struct Case {
        const char* path;
        const char* file;
        const char* group;
    };
    const Case cases[] = {
        {"Software\\Quorvatronics\\Screen Saver", "Screen Saver.ini", ""},
        {"Software\\Quorvatronics\\Screen Saver\\My Saver\\Settings", "Screen Saver.ini",
         "My Saver/Settings"},
        {"Control Panel\\Desktop", "System.ini", "Control Panel/Desktop"},
    };
    for (const Case& c : cases) {
        CRegKey key(c.path);
        EXPECT_EQ(key.FilePath(), Folder() + c.file) << c.path;
        EXPECT_EQ(key.Group(), c.group) << c.path;
    }
}

TEST_F(RegistryTest, NumbersRoundTripAndBadValuesReadAsMissing) {
    CRegKey key("Software\\Quorvatronics\\Screen Saver");
    EXPECT_FALSE(key.QueryDWORD("Times"));
    ASSERT_TRUE(key.SetDWORD("Times", 0xFFFFFFFFu));
    EXPECT_EQ(key.QueryDWORD("Times"), 0xFFFFFFFFu);
    ASSERT_TRUE(key.SetString("Text", "twelve"));
    EXPECT_FALSE(key.QueryDWORD("Text"));
    ASSERT_TRUE(key.SetString("Huge", "99999999999"));
    EXPECT_FALSE(key.QueryDWORD("Huge"));
}

TEST_F(RegistryTest, HandEditedSystemFileIsRead) {
    std::filesystem::create_directories(Folder());
    std::ofstream(Folder() + "System.ini")
        << "[Control%20Panel]\nDesktop\\ScreenSaveUsePassword=1\n";
    EXPECT_EQ(CRegKey("Control Panel\\Desktop").QueryDWORD("ScreenSaveUsePassword"), 1u);
}

TEST_F(RegistryTest, HandEditedValuesWithCommasReadWhole) {
    std::filesystem::create_directories(Folder());
    std::ofstream(Folder() + "System.ini") << "[Control%20Panel]\n"
                                              "Desktop\\Wallpaper=/home/u/sea , sky,  x.jpg  \n"
                                              "Desktop\\TileWallpaper=1\n"
                                              "[Other]\n"
                                              "Wallpaper=/elsewhere, not this\n";
    const CRegKey desktop("Control Panel\\Desktop");
    EXPECT_EQ(desktop.QueryString("Wallpaper"), "/home/u/sea , sky,  x.jpg");
    EXPECT_EQ(desktop.QueryDWORD("TileWallpaper"), 1u);
    EXPECT_EQ(CRegKey("Other").QueryString("Wallpaper"), "/elsewhere, not this");
    // Values written by the program itself keep their commas too.
    CRegKey key("Control Panel\\Colors");
    ASSERT_TRUE(key.SetString("Background", "0, 128,255"));
    EXPECT_EQ(key.QueryString("Background"), "0, 128,255");
}

TEST_F(RegistryTest, StringsKeepEveryWindows1252Byte) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    CRegKey key("Software\\Quorvatronics\\Screen Saver\\x\\Password");
    ASSERT_TRUE(key.SetString("Encrypt", all));
    EXPECT_EQ(key.QueryString("Encrypt"), all);
}

TEST_F(RegistryTest, ProfileSeparatesApplicationNamesAndUsesDefaults) {
    CAppProfile first("Quorvatronics\\Screen Saver", "First.scr");
    CAppProfile second("Quorvatronics\\Screen Saver", "Second");
    EXPECT_EQ(first.GetProfileInt("Settings", "Standard", 1), 1u);
    EXPECT_EQ(first.GetProfileString("Password", "Encrypt", ""), "");
    ASSERT_TRUE(first.WriteProfileInt("Settings", "Standard", 0));
    ASSERT_TRUE(first.WriteProfileString("Password", "Encrypt", "xyz"));
    EXPECT_EQ(first.GetProfileInt("Settings", "Standard", 1), 0u);
    EXPECT_EQ(first.GetProfileString("Password", "Encrypt", ""), "xyz");
    EXPECT_EQ(second.GetProfileInt("Settings", "Standard", 1), 1u);
    EXPECT_EQ(first.RootKeyPath(), "Software\\Quorvatronics\\Screen Saver");
}

TEST_F(RegistryTest, UnwritableFolderReportsFailure) {
    std::filesystem::create_directories(home.path().toStdString());
    std::ofstream(Folder().substr(0, Folder().size() - 1)) << "a file where the folder goes";
    CRegKey key("Software\\Quorvatronics\\Screen Saver");
    EXPECT_FALSE(key.SetDWORD("Times", 5));
}
