// Where "WinZorbo.ini" is kept: beside the executable, or for a game that
// cannot write there in the user's configuration folder.
#include "core/program_directory.h"
#include "startup/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class SettingsLocation : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/winzorbo-location-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root = name;
        program = root / "WinZorbo"; // a game unpacked into a folder of the player's
        config = root / "config";
        fs::create_directories(program);
    }
    void TearDown() override {
        fs::remove_all(root);
        set_program_directory(".");
    }

    std::string beside() const { return (program / "WinZorbo.ini").string(); }
    std::string kept() const { return (config / "WinZorbo" / "WinZorbo.ini").string(); }

    fs::path root;
    fs::path program;
    fs::path config;
};

TEST_F(SettingsLocation, AWritableProgramFolderKeepsTheFileBesideTheExecutable) {
    write_file(beside(), "language = en\n");
    EXPECT_EQ(choose_settings_file(program.string(), true, config.c_str(), root.c_str()), beside());
    EXPECT_FALSE(fs::exists(config)) << "nothing is made in the configuration folder";
}

TEST_F(SettingsLocation, AnInstalledGameUsesTheConfigurationFolder) {
    EXPECT_EQ(choose_settings_file(program.string(), false, config.c_str(), root.c_str()), kept());
    EXPECT_TRUE(fs::is_directory(config / "WinZorbo")) << "made so the file can be saved";
    EXPECT_FALSE(fs::exists(kept())) << "a first start has no settings yet";

    // Without XDG_CONFIG_HOME, or with a relative one, ~/.config holds it.
    std::string in_home = (root / ".config" / "WinZorbo" / "WinZorbo.ini").string();
    EXPECT_EQ(choose_settings_file(program.string(), false, nullptr, root.c_str()), in_home);
    EXPECT_EQ(choose_settings_file(program.string(), false, "", root.c_str()), in_home);
    EXPECT_EQ(choose_settings_file(program.string(), false, "relative/config", root.c_str()),
              in_home);
}

TEST_F(SettingsLocation, TheFileBesideTheExecutableIsReadFirst) {
    write_file(beside(), "language = se\n[keys]\nfire1 = 1001\n");
    fs::permissions(beside(), fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(choose_settings_file(program.string(), false, config.c_str(), root.c_str()), kept());
    EXPECT_EQ(read_file(kept()), "language = se\n[keys]\nfire1 = 1001\n");
    EXPECT_TRUE((fs::status(kept()).permissions() & fs::perms::owner_write) != fs::perms::none)
        << "the copy takes the player's changes";

    // Once the player has a file of their own, it wins.
    write_file(kept(), "language = en\n");
    EXPECT_EQ(choose_settings_file(program.string(), false, config.c_str(), root.c_str()), kept());
    EXPECT_EQ(read_file(kept()), "language = en\n");
}

TEST_F(SettingsLocation, WithoutAConfigurationFolderTheFileBesideIsStillRead) {
    write_file(beside(), "language = se\n");
    write_file(config, "a file where the folder should be");
    EXPECT_EQ(choose_settings_file(program.string(), false, config.c_str(), root.c_str()),
              beside());
}

TEST_F(SettingsLocation, TheGameAsksTheFileSystemWhetherItMayWrite) {
    ASSERT_EQ(setenv("XDG_CONFIG_HOME", config.c_str(), 1), 0);
    set_program_directory(program.string());
    EXPECT_EQ(settings_file_path(), beside());
    // A program folder that cannot be written (here: one that is not there;
    // a read-only mount answers the same, also to root).
    set_program_directory((root / "missing").string());
    EXPECT_EQ(settings_file_path(), kept());
    if (geteuid() != 0) {
        // Permissions hold back only users other than root.
        fs::remove(kept());
        write_file(beside(), "language = se\n");
        fs::permissions(beside(), fs::perms::owner_read);
        set_program_directory(program.string());
        EXPECT_EQ(settings_file_path(), kept()) << "a read-only file in a writable folder";
        fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(settings_file_path(), kept()) << "a read-only folder";
        fs::permissions(program, fs::perms::owner_all);
    }
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsLocation, TheInstalledFolderIsNeverWrittenEvenWhenItCouldBe) {
    ASSERT_EQ(setenv("XDG_CONFIG_HOME", config.c_str(), 1), 0);
    fs::path installed = root / "usr" / "share" / "winzorbo";
    fs::create_directories(installed);
    write_file(installed / "WinZorbo.ini", "language = en\n");
    set_program_directory(installed.string());
    EXPECT_EQ(settings_file_path(), kept());
    EXPECT_EQ(read_file(kept()), "language = en\n") << "the installed file is read first";
    unsetenv("XDG_CONFIG_HOME");

    EXPECT_TRUE(installed_game_folder("/usr/share/winzorbo"));
    EXPECT_TRUE(installed_game_folder("/home/me/.local/share/winzorbo/"));
    EXPECT_FALSE(installed_game_folder("/home/me/games/winzorbo"));
    EXPECT_FALSE(installed_game_folder("/usr/share/winzorbo/scn"));
    EXPECT_FALSE(installed_game_folder("/usr/share/notwinzorbo"));
}
} // namespace
