#include "FaultyFileSystem.h"
#include "TestFolder.h"
#include "plat/KeyFile.h"
#include "plat/KeyFilePreferencesImp.h"
#include "plat/Preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using plat::KeyFile;
using plat::Preferences;

namespace {

class MemoryPreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Preferences::Get().Flush();
        Preferences::SetImpFactory(&plat::MemoryPreferencesImp::Make);
        Preferences::SetIdentity("Tallowbrook", "Noterix");
        plat::MemoryPreferencesImp::Storage().clear();
    }
    void TearDown() override {
        Preferences::Get().Flush();
        Preferences::SetImpFactory(nullptr);
        plat::MemoryPreferencesImp::Storage().clear();
    }
};

} // namespace

TEST_F(MemoryPreferencesTest, EveryProgramSwitchDefaultsToTrue) {
    auto& prefs = Preferences::Get();
    for (const char* key : {"System.FirstRun", "UI.NotesAlwaysOnTop", "UI.ShowNoteColours",
                            "UI.ShowScrollBars", "UI.AskUserAbout.DeleteNote"}) {
        EXPECT_TRUE(prefs.GetBool(key, true)) << key;
        bool value = true;
        EXPECT_FALSE(prefs.ReadBool(key, value)) << key;
    }
}

TEST_F(MemoryPreferencesTest, KeysMatchWithoutRegardToCase) {
    auto& prefs = Preferences::Get();
    ASSERT_TRUE(prefs.SetBool("UI.AskUserAbout.DeleteNote", false));
    EXPECT_FALSE(prefs.GetBool("ui.askuserabout.deletenote", true));
    ASSERT_TRUE(prefs.SetString("UI.AskUserAbout.DeleteNote_LastChoice", plat::String("No")));
    plat::String choice("unset");
    ASSERT_TRUE(prefs.ReadString("ui.ASKUSERABOUT.deletenote_lastchoice", choice));
    EXPECT_STREQ(choice.c_str(), "No");
    // The nodes were made once: UI, and AskUserAbout below it.
    ASSERT_NE(prefs.FirstChildNode(), nullptr);
    EXPECT_STREQ(prefs.FirstChildNode()->Name().c_str(), "UI");
    EXPECT_EQ(prefs.FirstChildNode()->NextSibling(), nullptr);
    ASSERT_NE(prefs.FirstChildNode()->FirstChildNode(), nullptr);
    EXPECT_STREQ(prefs.FirstChildNode()->FirstChildNode()->Name().c_str(), "AskUserAbout");
    const std::string& stored = plat::MemoryPreferencesImp::Storage();
    EXPECT_NE(stored.find("[UI.AskUserAbout]"), std::string::npos) << stored;
}

TEST_F(MemoryPreferencesTest, ValueTypesFollowTheRegistryRules) {
    plat::MemoryPreferencesImp::Storage() = "[UI]\n"
                                            "ShowScrollBars=sz:0\n"
                                            "Count=binary:0102\n"
                                            "Name=expand_sz:%HOME%\n"
                                            "List=multi_sz:first\\0second\n"
                                            "Flag=dword:0\n";
    auto& prefs = Preferences::Get();
    bool flag = true;
    EXPECT_TRUE(prefs.ReadBool("UI.ShowScrollBars", flag)); // found, but not a dword
    EXPECT_TRUE(flag);
    EXPECT_FALSE(prefs.GetBool("UI.Flag", true));
    std::int32_t number = 42;
    EXPECT_TRUE(prefs.ReadInt("UI.Count", number));
    EXPECT_EQ(number, 42);
    plat::String text("default");
    EXPECT_FALSE(prefs.ReadString("UI.Flag", text));
    EXPECT_STREQ(text.c_str(), "default");
    ASSERT_TRUE(prefs.ReadString("UI.Name", text));
    EXPECT_STREQ(text.c_str(), "%HOME%");
    ASSERT_TRUE(prefs.ReadString("UI.List", text));
    EXPECT_STREQ(text.c_str(), "first");
}

TEST_F(MemoryPreferencesTest, NoProductMeansNoStorage) {
    Preferences::SetIdentity("Tallowbrook", "");
    auto& prefs = Preferences::Get();
    EXPECT_FALSE(prefs.SetBool("System.FirstRun", false));
    EXPECT_TRUE(prefs.GetBool("System.FirstRun", true));
}

TEST(KeyFile, RoundTripsAwkwardNamesAndValues) {
    KeyFile file;
    KeyFile::Value text;
    text.bytes = std::string("line one\r\nback\\slash = [x] # \0 end ", 34);
    file.Set("Odd]Section", " spaced name=", text);
    KeyFile::Value number;
    number.type = KeyFile::Type::Dword;
    number.dword = 0xFFFFFFFFu;
    file.Set("", "Top", number);
    KeyFile::Value blob;
    blob.type = KeyFile::Type::Binary;
    blob.bytes = std::string("\x00\xff\x10", 3);
    file.Set("A.B", "Blob", blob);

    KeyFile again;
    ASSERT_TRUE(again.Parse(file.Serialize()));
    const KeyFile::Value* found = again.Find("odd]section", " SPACED NAME=");
    ASSERT_NE(found, nullptr) << file.Serialize();
    EXPECT_EQ(found->bytes, text.bytes);
    ASSERT_NE(again.Find("", "top"), nullptr);
    EXPECT_EQ(again.Find("", "top")->dword, 0xFFFFFFFFu);
    ASSERT_NE(again.Find("a.b", "blob"), nullptr);
    EXPECT_EQ(again.Find("a.b", "blob")->bytes, blob.bytes);
    EXPECT_EQ(again.Serialize(), file.Serialize());
}

TEST(KeyFile, UnreadableLinesSurviveARewrite) {
    const std::string text = "# kept comment\n"
                             "garbage without equals\n"
                             "[UI]\n"
                             "Broken=dword:12x\n"
                             "Good=dword:0x10\n"
                             "Unknown=qword:1\n";
    KeyFile file;
    ASSERT_TRUE(file.Parse(text));
    ASSERT_NE(file.Find("UI", "Good"), nullptr);
    EXPECT_EQ(file.Find("UI", "Good")->dword, 16u);
    EXPECT_EQ(file.Find("UI", "Broken"), nullptr);
    KeyFile::Value value;
    value.type = KeyFile::Type::Dword;
    value.dword = 1;
    file.Set("UI", "Added", value);
    const std::string out = file.Serialize();
    for (const char* kept : {"# kept comment", "garbage without equals", "Broken=dword:12x",
                             "Unknown=qword:1", "Added=dword:1"}) {
        EXPECT_NE(out.find(kept), std::string::npos) << kept;
    }
    // The new value went into the existing section, after its last entry.
    EXPECT_LT(out.find("Good=dword:16"), out.find("Added=dword:1"));
}

TEST(KeyFile, OversizedFilesAreRefused) {
    KeyFile file;
    EXPECT_FALSE(file.Parse(std::string(KeyFile::MaxFileSize + 1, 'x')));
}

namespace {
class LinuxPreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Preferences::Get().Flush();
        Preferences::SetImpFactory(nullptr);
        Preferences::SetIdentity("Tallowbrook", "Noterix");
    }
    void TearDown() override { Preferences::Get().Flush(); }
    TestFolder home;
    ScopedHome scoped{home.Path()};
};
} // namespace

TEST_F(LinuxPreferencesTest, WrittenToTheConfigFolderAndReadBack) {
    auto& prefs = Preferences::Get();
    EXPECT_TRUE(prefs.GetBool("System.FirstRun", true));
    ASSERT_TRUE(prefs.SetBool("System.FirstRun", false));
    ASSERT_TRUE(prefs.SetBool("UI.AskUserAbout.DeleteNote", false));
    const std::string path = home.Join(".config/Tallowbrook/Noterix.conf");
    ASSERT_TRUE(std::filesystem::exists(path));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    Preferences::Get().Flush();
    EXPECT_FALSE(prefs.GetBool("system.firstrun", true));
    EXPECT_FALSE(prefs.GetBool("UI.AskUserAbout.DeleteNote", true));
    const std::string text = TestFolder::ReadFile(path);
    EXPECT_NE(text.find("[System]\nFirstRun=dword:0\n"), std::string::npos) << text;
    Preferences::Get().Flush();
}

TEST(KeyFile, RewritingIsStableForLinesEndingInCarriageReturns) {
    const std::string text = "kept\r\r\r\n[UI]\r\nA=dword:1\r\nlast\r\r";
    KeyFile file;
    ASSERT_TRUE(file.Parse(text));
    ASSERT_NE(file.Find("UI", "A"), nullptr); // CR LF lines still parse
    const std::string once = file.Serialize();
    KeyFile again;
    ASSERT_TRUE(again.Parse(once));
    EXPECT_EQ(again.Serialize(), once);
}

TEST_F(LinuxPreferencesTest, AnUnreadableSettingsFileIsNeverOverwritten) {
    std::filesystem::create_directories(home.Join(".config/Tallowbrook"));
    const std::string path = home.Join(".config/Tallowbrook/Noterix.conf");
    const std::string before = "[UI]\nShowScrollBars=dword:0\n";
    TestFolder::WriteFile(path, before);
    {
        FaultyFileSystem faults;
        faults.refusedOpens = 2;
        EXPECT_TRUE(Preferences::Get().GetBool("UI.ShowScrollBars", true)); // the default
        EXPECT_FALSE(Preferences::Get().SetBool("System.FirstRun", false));
    }
    EXPECT_EQ(TestFolder::ReadFile(path), before);
    EXPECT_FALSE(Preferences::Get().GetBool("UI.ShowScrollBars", true));
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u); // settings report nothing
    Preferences::Get().Flush();
}
