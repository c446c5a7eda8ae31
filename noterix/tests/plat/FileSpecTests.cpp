#include "TestFolder.h"
#include "plat/ErrorStack.h"
#include "plat/FileSpec.h"

#include <gtest/gtest.h>

#include <filesystem>

using plat::FileSpec;
using plat::String;

TEST(FileSpec, PathPieces) {
    FileSpec path(String("C:\\Users\\me\\notes.txt"), '\\');
    EXPECT_STREQ(path.Path().c_str(), "C:/Users/me/notes.txt");
    EXPECT_STREQ(path.ToString('\\').c_str(), "C:\\Users\\me\\notes.txt");
    EXPECT_STREQ(path.FileName().c_str(), "notes.txt");
    EXPECT_STREQ(path.Folder().c_str(), "C:/Users/me");
    EXPECT_STREQ(FileSpec(String("plain")).FileName().c_str(), "plain");
    EXPECT_STREQ(FileSpec(String("/top")).Folder().c_str(), "/");
    FileSpec folder(String("/home/me"));
    folder.Append("Noterix.notes");
    EXPECT_STREQ(folder.Path().c_str(), "/home/me/Noterix.notes");
    FileSpec trailing(String("/home/me/"));
    trailing.Append("x");
    EXPECT_STREQ(trailing.Path().c_str(), "/home/me/x");
    FileSpec empty(String(""));
    empty.EnsureTrailingSeparator();
    EXPECT_STREQ(empty.Path().c_str(), "");
}

TEST(FileSpec, VolumeTable) {
    struct Case {
        const char* path;
        bool ok;
        const char* volume;
    };
    const Case cases[] = {
        {"\\\\srv\\sh\\notes\\Noterix.notes", true, "\\\\srv\\sh\\"},
        {"  c:\\notes", true, "c:"},
        {"\\\\srv", false, ""},
        {"\\\\\\sh\\x", false, ""},
        {"/home/me/Documents", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        String volume("");
        EXPECT_EQ(FileSpec::Volume(String(c.path), volume), c.ok) << c.path;
        if (c.ok) {
            EXPECT_STREQ(volume.c_str(), c.volume) << c.path;
        }
    }
}

TEST(FileSpec, ExistsAndMovesThatNeverReplace) {
    TestFolder folder;
    const std::string from = folder.Join("from"), to = folder.Join("to");
    TestFolder::WriteFile(from, "A");
    EXPECT_EQ(FileSpec(String(from.c_str())).Exists(), FileSpec::IsFile);
    EXPECT_EQ(FileSpec(String(folder.Path().c_str())).Exists(), FileSpec::IsFolder);
    EXPECT_EQ(FileSpec(String(to.c_str())).Exists(), FileSpec::Missing);
    TestFolder::WriteFile(to, "B");
    plat::ErrorStateStack::Get().Clear();
    EXPECT_FALSE(FileSpec(String(from.c_str())).MoveTo(FileSpec(String(to.c_str()))));
    EXPECT_EQ(plat::ErrorStateStack::Get().Top().code, 267u);
    EXPECT_EQ(TestFolder::ReadFile(to), "B");
    std::filesystem::remove(to);
    EXPECT_TRUE(FileSpec(String(from.c_str())).MoveTo(FileSpec(String(to.c_str()))));
    EXPECT_EQ(TestFolder::ReadFile(to), "A");
    EXPECT_FALSE(FileSpec(String(from.c_str())).MoveTo(FileSpec(String(to.c_str()))));
    EXPECT_EQ(plat::ErrorStateStack::Get().Top().code, 256u);
    plat::ErrorStateStack::Get().Clear();
}

TEST(FileSpec, DocumentsFolderFollowsXdgAndIsCreated) {
    TestFolder home;
    ScopedHome scoped(home.Path());
    std::filesystem::create_directories(home.Join(".config"));
    TestFolder::WriteFile(home.Join(".config/user-dirs.dirs"),
                          "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    FileSpec documents;
    ASSERT_TRUE(documents.SetToDocumentsFolder());
    EXPECT_EQ(std::string(documents.Path().c_str()), home.Join("Papers"));
    EXPECT_TRUE(std::filesystem::is_directory(home.Join("Papers")));
}

TEST(FileSpec, DocumentsFolderFallsBackToHome) {
    TestFolder home;
    ScopedHome scoped(home.Path());
    // The configured folder cannot be created: its parent is a file.
    TestFolder::WriteFile(home.Join("blocker"), "");
    std::filesystem::create_directories(home.Join(".config"));
    TestFolder::WriteFile(home.Join(".config/user-dirs.dirs"),
                          "XDG_DOCUMENTS_DIR=\"$HOME/blocker/Documents\"\n");
    FileSpec documents;
    ASSERT_TRUE(documents.SetToDocumentsFolder());
    EXPECT_EQ(std::string(documents.Path().c_str()), home.Path());
}

TEST(FileSpec, ProgramFolderAndItsOverride) {
    FileSpec folder;
    ASSERT_TRUE(folder.SetToProgramFolder());
    EXPECT_EQ(folder.Exists(), FileSpec::IsFolder);
    FileSpec::SetProgramFolderOverride("/opt/noterix");
    ASSERT_TRUE(folder.SetToProgramFolder());
    EXPECT_STREQ(folder.Path().c_str(), "/opt/noterix");
    FileSpec::SetProgramFolderOverride("");
}
