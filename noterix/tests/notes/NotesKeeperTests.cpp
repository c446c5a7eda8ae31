#include "FaultyFileSystem.h"
#include "ScriptedUser.h"
#include "TestFolder.h"
#include "notes/NotesKeeper.h"
#include "plat/ErrorStack.h"
#include "plat/KeyFilePreferencesImp.h"
#include "plat/Preferences.h"
#include "plat/Timers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>

using plat::String;

namespace {

const std::string problem = "Noterix problem...";

class NotesKeeperTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::Preferences::Get().Flush();
        plat::Preferences::SetImpFactory(&plat::MemoryPreferencesImp::Make);
        plat::Preferences::SetIdentity("Tallowbrook", "Noterix");
        plat::MemoryPreferencesImp::Storage().clear();
        plat::ErrorStateStack::Get().Clear();
        std::filesystem::create_directories(documents);
    }
    void TearDown() override {
        plat::Preferences::Get().Flush();
        plat::Preferences::SetImpFactory(nullptr);
        plat::ErrorStateStack::Get().Clear();
    }

    std::string NotesPath() const { return documents + "/Noterix.notes"; }
    static void NotFirstRun() { plat::Preferences::Get().SetBool("System.FirstRun", false); }

    static std::vector<std::string> Titles(NotesKeeper& keeper) {
        std::vector<std::string> titles;
        Note* note = nullptr;
        for (std::size_t i = 0; keeper.Store().GetAt(i, note); ++i) {
            titles.emplace_back(note->Title().c_str());
        }
        return titles;
    }

    TestFolder home;
    ScopedHome scopedHome{home.Path()};
    std::string documents = home.Join("Documents");
    ScriptedUser user;
};

const std::string oneNote = "!Noterix: 1.06\r\n[start:note]\r\nvisible: yes\r\n"
                            "[start:contents]\r\n#Mine\r\n[end:contents]\r\n[end:note]\r\n";

} // namespace

TEST_F(NotesKeeperTest, OldFileNameIsMovedOnlyWhenItsPlaceIsFree) {
    struct Case {
        const char* name;
        bool oldExists, newExists;
        const char* chosen;
        bool oldRemains;
    };
    const Case cases[] = {
        {"old name only", true, false, "Noterix.notes", false},
        {"both", true, true, "notes.pinnet", true},
        {"neither", false, false, "Noterix.notes", false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(documents + "/notes.pinnet");
        std::filesystem::remove(NotesPath());
        if (c.oldExists) {
            TestFolder::WriteFile(documents + "/notes.pinnet", "old");
        }
        if (c.newExists) {
            TestFolder::WriteFile(NotesPath(), "new");
        }
        NotesKeeper keeper(user);
        plat::FileSpec path;
        ASSERT_TRUE(keeper.GetNotesPath(path)) << c.name;
        EXPECT_EQ(std::string(path.Path().c_str()), documents + "/" + c.chosen) << c.name;
        EXPECT_EQ(TestFolder::FileExists(documents + "/notes.pinnet"), c.oldRemains) << c.name;
        EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u) << c.name;
        if (c.oldExists && !c.newExists) {
            EXPECT_EQ(TestFolder::ReadFile(NotesPath()), "old");
        }
    }
}

TEST_F(NotesKeeperTest, FirstRunAddsHowToUseOnly) {
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    EXPECT_EQ(Titles(keeper), std::vector<std::string>{"Noterix - How to Use"});
    EXPECT_EQ(user.opened.size(), 1u);
    EXPECT_TRUE(user.alerts.empty());
    EXPECT_FALSE(plat::Preferences::Get().GetBool("System.FirstRun", true));
    // A shipped note reaches the file at quit.
    EXPECT_FALSE(keeper.Store().IsModified());
    keeper.Quit();
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#Noterix - How to Use"), std::string::npos);
}

TEST_F(NotesKeeperTest, OlderFilesGetTheVersionHistory) {
    struct Case {
        const char* header;
        bool history;
    };
    const Case cases[] = {
        {"!Noterix: 1.05", true},
        {"!Pinnet", true}, // no version: 1.0
        {"!Noterix: 1.06", false},
        {"!Noterix: 2.00", false},
    };
    for (const Case& c : cases) {
        NotFirstRun();
        TestFolder::WriteFile(NotesPath(), std::string(c.header) + oneNote.substr(14));
        ScriptedUser fresh;
        NotesKeeper keeper(fresh);
        ASSERT_TRUE(keeper.StartUp()) << c.header;
        std::vector<std::string> expected{"Mine"};
        if (c.history) {
            expected.emplace_back("Noterix - Version History");
        }
        EXPECT_EQ(Titles(keeper), expected) << c.header;
        keeper.Quit();
    }
}

TEST_F(NotesKeeperTest, ShippedNotesAreNeverAddedTwice) {
    TestFolder::WriteFile(NotesPath(), "!Noterix: 1.00\r\n");
    for (int start = 0; start < 2; ++start) {
        plat::Preferences::Get().SetBool("System.FirstRun", true); // as if the settings were lost
        ScriptedUser fresh;
        NotesKeeper keeper(fresh);
        ASSERT_TRUE(keeper.StartUp());
        keeper.Quit();
    }
    ScriptedUser last;
    NotesKeeper keeper(last);
    ASSERT_TRUE(keeper.StartUp());
    std::multiset<std::string> titles;
    for (const std::string& t : Titles(keeper)) {
        titles.insert(t);
    }
    EXPECT_EQ(titles.count("Noterix - How to Use"), 1u);
    EXPECT_EQ(titles.count("Noterix - Version History"), 1u);
}

TEST_F(NotesKeeperTest, LoadingOpensWindowsOfVisibleNotes) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote + "[start:note]\r\n#Hidden\r\n[end:note]\r\n");
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    ASSERT_EQ(user.opened.size(), 1u);
    EXPECT_STREQ(user.opened[0]->Title().c_str(), "Mine");
}

TEST_F(NotesKeeperTest, AForeignFileIsReportedAndKeptAside) {
    NotFirstRun();
    const std::string foreign = "\xEF\xBB\xBF!Noterix: 1.06\r\nsomething precious\r\n";
    TestFolder::WriteFile(NotesPath(), foreign);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    ASSERT_EQ(user.alerts.size(), 1u);
    EXPECT_EQ(user.alerts[0], "Unable to load notes.|A problem occurred when loading the notes.");
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
    keeper.CreateNote()->SetText(String("new"));
    ASSERT_TRUE(keeper.SaveNow());
    ASSERT_TRUE(keeper.SaveNow()); // the second save keeps no second copy
    std::vector<std::string> aside;
    for (const auto& entry : std::filesystem::directory_iterator(documents)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("Noterix.notes.unreadable-", 0) == 0) {
            aside.push_back(entry.path().string());
        }
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(TestFolder::ReadFile(aside[0]), foreign);
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#new"), std::string::npos);
}

TEST_F(NotesKeeperTest, AFileThatCannotBeOpenedIsKeptAsideBeforeTheFirstSave) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper keeper(user);
    {
        FaultyFileSystem faults;
        faults.refusedOpens = 1;
        ASSERT_TRUE(keeper.StartUp());
    }
    EXPECT_TRUE(user.alerts.empty()); // no notes, no message
    EXPECT_EQ(keeper.Store().Count(), 0u);
    keeper.CreateNote();
    ASSERT_TRUE(keeper.SaveNow());
    bool keptAside = false;
    for (const auto& entry : std::filesystem::directory_iterator(documents)) {
        if (entry.path().filename().string().rfind("Noterix.notes.unreadable-", 0) == 0) {
            keptAside = TestFolder::ReadFile(entry.path().string()) == oneNote;
        }
    }
    EXPECT_TRUE(keptAside);
}

TEST_F(NotesKeeperTest, SavingToAFullDiskLeavesTheFileAndTellsTheUser) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.CreateNote()->SetText(String("unsaved"));
    FaultyFileSystem faults;
    faults.fullDiskSaves = 1;
    EXPECT_FALSE(keeper.SaveNow());
    EXPECT_EQ(TestFolder::ReadFile(NotesPath()), oneNote);
    ASSERT_EQ(user.alerts.size(), 1u);
    EXPECT_EQ(user.alerts[0], problem + "|A problem occurred when saving the notes to disk.  Any "
                                        "changes you have made will be lost.");
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
    EXPECT_TRUE(keeper.Store().IsModified()); // the next autosave tries again
    keeper.Autosave();
    EXPECT_FALSE(keeper.Store().IsModified());
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#unsaved"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(NotesPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(NotesKeeperTest, AutosaveWritesOnlyWhenSomethingChanged) {
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    FaultyFileSystem counting;
    keeper.Autosave();
    EXPECT_EQ(counting.commits, 0);
    EXPECT_EQ(user.edits, 1); // the windows were asked for their edits all the same
    Note* note = keeper.CreateNote();
    keeper.Autosave();
    EXPECT_EQ(counting.commits, 1);
    keeper.Autosave();
    EXPECT_EQ(counting.commits, 1);
    keeper.Store().Delete(note);
    keeper.Autosave();
    EXPECT_EQ(counting.commits, 2);
}

TEST_F(NotesKeeperTest, TheTimerDrivesTheAutosave) {
    struct FakeTimers : plat::TimerImp {
        std::uint32_t interval = 0;
        std::uint32_t Start(std::uint32_t ms) override {
            interval = ms;
            return 7;
        }
        void Stop(std::uint32_t) override { interval = 0; }
    } timers;
    plat::Timers::Install(&timers);
    NotFirstRun();
    {
        NotesKeeper keeper(user);
        ASSERT_TRUE(keeper.StartUp());
        keeper.StartAutosave();
        EXPECT_EQ(timers.interval, 60000u);
        keeper.CreateNote();
        plat::Timers::Dispatch(7);
        EXPECT_FALSE(keeper.Store().IsModified());
        keeper.Quit();
        EXPECT_EQ(timers.interval, 0u);
    }
    plat::Timers::Install(nullptr);
}

TEST_F(NotesKeeperTest, OpenNotesGoToTheirOwnFile) {
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.CreateNote()->SetText(String("open one"));
    keeper.CreateNote()->SetText(String("closed one"));
    Note* first = nullptr;
    keeper.Store().GetAt(0, first);
    user.openWindows = {first};
    ASSERT_TRUE(keeper.SaveOpenNotes());
    const std::string open = TestFolder::ReadFile(documents + "/opennotes.txt");
    EXPECT_NE(open.find("#open one"), std::string::npos);
    EXPECT_EQ(open.find("#closed one"), std::string::npos);
    EXPECT_TRUE(keeper.Store().IsModified()); // the notes file itself is still due
    FaultyFileSystem faults;
    faults.fullDiskSaves = 1;
    EXPECT_FALSE(keeper.SaveOpenNotes());
    EXPECT_TRUE(user.alerts.empty()); // quietly
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
    EXPECT_EQ(TestFolder::ReadFile(documents + "/opennotes.txt"), open);
}

TEST_F(NotesKeeperTest, NewNotesTakeTheColourCycleAndAnIdentifier) {
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    Note* first = keeper.CreateNote();
    std::set<std::array<std::uint8_t, 16>> ids{first->PeekGuid().Bytes()};
    for (int i = 0; i < 6; ++i) {
        ids.insert(keeper.CreateNote()->PeekGuid().Bytes());
    }
    Note* eighth = keeper.CreateNote();
    EXPECT_EQ(eighth->GetColour(), first->GetColour());
    EXPECT_EQ(ids.size(), 7u);
    EXPECT_TRUE(first->PeekGuid().IsSet());
    EXPECT_EQ(user.opened.back(), eighth);
}

TEST_F(NotesKeeperTest, QuitRetriesAfterAFullDiskAsLongAsTheUserSaysYes) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.CreateNote()->SetText(String("keep me"));
    FaultyFileSystem faults;
    faults.fullDiskSaves = 2;
    user.answers = {true, true};
    keeper.Quit();
    ASSERT_EQ(user.questions.size(), 2u);
    EXPECT_EQ(user.questions[0],
              problem +
                  "|There is insufficient disk space to save the notes.  You are advised "
                  "to make some room on " +
                  documents +
                  " so that the notes can be saved.\n\nDo you want to try to save the notes "
                  "again?\n\nNB. If you answer no, then some or all of your notes will be lost.");
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#keep me"), std::string::npos);
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
}

TEST_F(NotesKeeperTest, QuitStopsWhenTheUserSaysNo) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.CreateNote()->SetText(String("lost"));
    FaultyFileSystem faults;
    faults.refusedTemporaries = 5;
    faults.refusedErrno = EACCES;
    user.answers = {false};
    keeper.Quit();
    ASSERT_EQ(user.questions.size(), 1u);
    EXPECT_EQ(user.questions[0], problem +
                                     "|An error occurred when saving the notes to disk:\n\nError: "
                                     "The file '" +
                                     NotesPath() +
                                     "' could not be opened (reason: Permission denied).\n\nWould "
                                     "you like to try to save them again?");
    EXPECT_EQ(TestFolder::ReadFile(NotesPath()), oneNote);
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
}

TEST_F(NotesKeeperTest, QuitWithoutAnyFolderAsksNothing) {
    FaultyFileSystem faults;
    faults.missingDocuments = 100;
    faults.missingProgramFolder = true;
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    ASSERT_EQ(user.alerts.size(), 1u); // the load could not find the notes either
    keeper.CreateNote();
    EXPECT_FALSE(keeper.SaveNotes());
    EXPECT_EQ(plat::ErrorStateStack::Get().Top().code, 0x100000u);
    EXPECT_STREQ(plat::ErrorStateStack::Get().Top().message.c_str(),
                 "Noterix was unable to find a suitable folder in which to save your notes.");
    keeper.Quit();
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
}

TEST_F(NotesKeeperTest, TheDocumentsFolderIsAskedTwiceThenTheProgramFolder) {
    FaultyFileSystem faults;
    faults.missingDocuments = 1;
    NotesKeeper once(user);
    plat::FileSpec path;
    ASSERT_TRUE(once.GetNotesPath(path));
    EXPECT_EQ(std::string(path.Path().c_str()), NotesPath());
    faults.missingDocuments = 2;
    plat::FileSpec::SetProgramFolderOverride(home.Path().c_str());
    NotesKeeper twice(user);
    ASSERT_TRUE(twice.GetNotesPath(path));
    EXPECT_EQ(std::string(path.Path().c_str()), home.Join("Noterix.notes"));
    plat::FileSpec::SetProgramFolderOverride("");
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
}

TEST_F(NotesKeeperTest, ASecondCopyLeavesTheNotesAlone) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper first(user);
    ASSERT_TRUE(first.StartUp());
    ScriptedUser secondUser;
    {
        NotesKeeper second(secondUser);
        EXPECT_FALSE(second.StartUp());
        ASSERT_EQ(secondUser.alerts.size(), 1u);
        EXPECT_NE(secondUser.alerts[0].find("already running"), std::string::npos);
        EXPECT_EQ(second.Store().Count(), 0u);
    }
    first.Quit();
    ScriptedUser thirdUser;
    NotesKeeper third(thirdUser);
    EXPECT_TRUE(third.StartUp()); // the lock went with the first copy
    EXPECT_TRUE(thirdUser.alerts.empty());
}
