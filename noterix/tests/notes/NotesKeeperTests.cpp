#include "FaultyFileSystem.h"
#include "NotesHomeTest.h"
#include "ScriptedUser.h"
#include "TestFolder.h"
#include "notes/InstanceLock.h"
#include "notes/NotesKeeper.h"
#include "plat/ErrorStack.h"
#include "plat/KeyFilePreferencesImp.h"
#include "plat/Preferences.h"
#include "plat/Timers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using plat::String;

namespace {

const std::string problem = "Noterix problem...";

class NotesKeeperTest : public NotesHomeTest {
protected:
    static std::vector<std::string> Titles(NotesKeeper& keeper) {
        std::vector<std::string> titles;
        Note* note = nullptr;
        for (std::size_t i = 0; keeper.Store().GetAt(i, note); ++i) {
            titles.emplace_back(note->Title().c_str());
        }
        return titles;
    }

    ScriptedUser user;
};

const std::string oneNote = "!Noterix: 1.06\r\n[start:note]\r\nvisible: yes\r\n"
                            "[start:contents]\r\n#Mine\r\n[end:contents]\r\n[end:note]\r\n";

// The system timers, with one timer that only fires when the test says so.
struct FakeTimers : plat::TimerImp {
    static constexpr std::uint32_t id = 7;
    std::uint32_t interval = 0;
    FakeTimers() { plat::Timers::Install(this); }
    ~FakeTimers() override { plat::Timers::Install(nullptr); }
    std::uint32_t Start(std::uint32_t ms) override {
        interval = ms;
        return id;
    }
    void Stop(std::uint32_t) override { interval = 0; }
    bool Running() const { return interval != 0; }
    static void Tick() { plat::Timers::Dispatch(id); }
};

// The names in a folder that begin with a prefix.
std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

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
    const std::string foreign = "!Someone else's notes\r\nsomething precious\r\n";
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
    FakeTimers timers;
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.StartAutosave();
    EXPECT_EQ(timers.interval, 60000u);
    keeper.CreateNote();
    FakeTimers::Tick();
    EXPECT_FALSE(keeper.Store().IsModified());
    keeper.Quit();
    EXPECT_FALSE(timers.Running());
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

TEST_F(NotesKeeperTest, ACopyThatFindsTheLockTakenTouchesNothing) {
    NotFirstRun();
    // Only the old file name: a copy that went ahead would rename it.
    const std::string oldPath = documents + "/notes.pinnet";
    TestFolder::WriteFile(oldPath, oneNote);
    InstanceLock running;
    ASSERT_EQ(running.Acquire(String((documents + "/Noterix.notes.lock").c_str())),
              InstanceLock::Result::Acquired);
    NotesKeeper second(user);
    EXPECT_FALSE(second.StartUp());
    ASSERT_FALSE(user.alerts.empty());
    EXPECT_EQ(user.alerts[0],
              problem + "|Noterix is already running and looking after your notes.  This copy "
                        "will close so that the two cannot overwrite each other's changes.");
    EXPECT_EQ(second.Store().Count(), 0u);
    // Whatever the program does next, this copy never writes, not even once
    // the other one has gone.
    second.CreateNote()->SetText(String("from the second copy"));
    EXPECT_FALSE(second.SaveNow());
    second.Autosave();
    running.Release();
    EXPECT_FALSE(second.SaveNow());
    EXPECT_FALSE(second.SaveOpenNotes());
    second.Quit();
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(TestFolder::ReadFile(oldPath), oneNote);
    EXPECT_FALSE(TestFolder::FileExists(NotesPath()));
    EXPECT_FALSE(TestFolder::FileExists(documents + "/opennotes.txt"));
}

TEST_F(NotesKeeperTest, TheLockHasOneNameWhicheverNotesFileIsUsed) {
    NotFirstRun();
    // With both names present the old file stays in use; the lock must
    // still be the one every copy takes.
    TestFolder::WriteFile(documents + "/notes.pinnet", oneNote);
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper first(user);
    ASSERT_TRUE(first.StartUp());
    plat::FileSpec used;
    ASSERT_TRUE(first.GetNotesPath(used));
    EXPECT_EQ(std::string(used.Path().c_str()), documents + "/notes.pinnet");
    InstanceLock other;
    EXPECT_EQ(other.Acquire(String((documents + "/Noterix.notes.lock").c_str())),
              InstanceLock::Result::HeldElsewhere);
    EXPECT_EQ(NamesStartingWith(documents, "notes.pinnet.lock"), std::vector<std::string>{});
}

TEST_F(NotesKeeperTest, WithoutTheLockNothingIsWrittenUntilItCanBeTaken) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    FaultyFileSystem faults;
    faults.refusedLocks = 1000;
    faults.refusedErrno = EACCES;
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp()); // the notes can still be read and shown
    EXPECT_EQ(Titles(keeper), std::vector<std::string>{"Mine"});
    keeper.CreateNote()->SetText(String("new"));
    EXPECT_FALSE(keeper.SaveNow());
    keeper.Autosave();
    EXPECT_EQ(TestFolder::ReadFile(NotesPath()), oneNote);
    user.answers = {true, false};
    keeper.Quit();
    ASSERT_EQ(user.questions.size(), 2u);
    EXPECT_EQ(user.questions[0],
              problem + "|An error occurred when saving the notes to disk:\n\nError: The notes "
                        "could not be saved because Noterix could not lock its notes folder "
                        "(reason: Permission denied).\n\nWould you like to try to save them "
                        "again?");
    EXPECT_EQ(TestFolder::ReadFile(NotesPath()), oneNote);
    // Once the lock can be taken, the notes are saved.
    faults.refusedLocks = 0;
    EXPECT_TRUE(keeper.SaveNow());
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#new"), std::string::npos);
}

TEST_F(NotesKeeperTest, ACopyThatMissedTheLockKeepsItsEditsAndLosesNoOneElses) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper late(user);
    {
        // Its lock could not be made at its start...
        FaultyFileSystem faults;
        faults.refusedLocks = 1000;
        ASSERT_TRUE(late.StartUp());
    }
    // ...and meanwhile another copy took the lock and saved.
    ScriptedUser otherUser;
    auto other = std::make_unique<NotesKeeper>(otherUser);
    ASSERT_TRUE(other->StartUp());
    other->CreateNote()->SetText(String("the other's"));
    ASSERT_TRUE(other->SaveNow());
    late.CreateNote()->SetText(String("the late one's"));
    EXPECT_FALSE(late.SaveNow());
    EXPECT_EQ(user.alerts.size(), 1u);
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#the other's"), std::string::npos);
    // Once the other copy has gone, the late one saves and keeps the other's
    // file aside.
    other->Quit();
    other.reset();
    ASSERT_TRUE(late.SaveNow());
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#the late one's"), std::string::npos);
    const std::vector<std::string> aside = NamesStartingWith(documents, "Noterix.notes.changed-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_NE(TestFolder::ReadFile(documents + "/" + aside[0]).find("#the other's"),
              std::string::npos);
    ASSERT_EQ(user.alerts.size(), 2u);
    EXPECT_EQ(user.alerts[1].rfind("Noterix|The notes file was changed by another program", 0), 0u);
}

TEST_F(NotesKeeperTest, TheAutosaveNeverRunsInsideItsOwnDialogs) {
    FakeTimers timers;
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.StartAutosave();
    keeper.CreateNote()->SetText(String("typed"));
    FaultyFileSystem faults;
    faults.fullDiskSaves = 10;
    int ticks = 0;
    user.whileDialogOpen = [&] {
        if (ticks++ < 3) {
            FakeTimers::Tick();
        }
    };
    // The save fails and its alert opens; the ticks while it is open wait.
    FakeTimers::Tick();
    EXPECT_EQ(user.alerts.size(), 1u);
    EXPECT_EQ(faults.fullDiskSaves, 9);
    // The program's own dialogs hold the same guard.
    faults.fullDiskSaves = 0;
    user.whileDialogOpen = nullptr;
    {
        const NotesKeeper::DialogOpen deleteQuestion(keeper);
        FakeTimers::Tick();
        EXPECT_TRUE(keeper.Store().IsModified());
    }
    FakeTimers::Tick();
    EXPECT_FALSE(keeper.Store().IsModified());
    keeper.CreateNote()->SetText(String("typed"));
    // At quit the timer stops before the first question is asked.
    bool runningDuringQuestion = false;
    user.whileDialogOpen = [&] {
        runningDuringQuestion = runningDuringQuestion || timers.Running();
        FakeTimers::Tick();
    };
    faults.fullDiskSaves = 1;
    user.answers = {true};
    keeper.Quit();
    EXPECT_EQ(user.questions.size(), 1u);
    EXPECT_FALSE(runningDuringQuestion);
    EXPECT_EQ(user.alerts.size(), 1u);
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#typed"), std::string::npos);
}

TEST_F(NotesKeeperTest, AFullDiskWhenTheTemporaryIsMadeAsksTheDiskFullQuestion) {
    for (const int error : {ENOSPC, EDQUOT}) {
        NotFirstRun();
        ScriptedUser fresh;
        NotesKeeper keeper(fresh);
        ASSERT_TRUE(keeper.StartUp());
        keeper.CreateNote();
        FaultyFileSystem faults;
        faults.refusedTemporaries = 1;
        faults.refusedErrno = error;
        fresh.answers = {false};
        keeper.Quit();
        ASSERT_EQ(fresh.questions.size(), 1u) << error;
        EXPECT_EQ(fresh.questions[0].rfind(problem + "|There is insufficient disk space", 0), 0u)
            << fresh.questions[0];
    }
}

TEST_F(NotesKeeperTest, ASaveInPlaceSucceedsEvenWhenTheFolderCannotBeSynced) {
    NotFirstRun();
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    keeper.CreateNote()->SetText(String("in place"));
    FaultyFileSystem faults;
    faults.failedFolderSyncs = 1;
    EXPECT_TRUE(keeper.SaveNow());
    EXPECT_TRUE(user.alerts.empty());
    EXPECT_FALSE(keeper.Store().IsModified());
    EXPECT_EQ(plat::ErrorStateStack::Get().Count(), 0u);
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#in place"), std::string::npos);
}

TEST_F(NotesKeeperTest, TemporariesLeftByACrashAreRemovedAtStartUp) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    struct Entry {
        const char* name;
        bool old;
        bool removed;
    };
    const Entry entries[] = {
        {".Noterix.notes.a1B2c3", true, true},
        {".opennotes.txt.Zz9yY8", true, true},
        {".notes.pinnet.Qw3rTy", true, true},
        {".Noterix.notes.k4L5m6", false, false}, // newer than this program: not from a crash
        {".Noterix.notes.bak", true, false},
        {".Noterix.notes.abcdefg", true, false},
        {".Noterix.notes.ab-def", true, false},
        {"Noterix.notes.a1B2c3", true, false},
        {".Other.notes.a1B2c3", true, false},
    };
    const timespec hourAgo{::time(nullptr) - 3600, 0};
    const timespec times[2] = {hourAgo, hourAgo};
    for (const Entry& e : entries) {
        const std::string path = documents + "/" + e.name;
        TestFolder::WriteFile(path, "partial");
        if (e.old) {
            ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        }
    }
    // A folder that happens to match is not ours either.
    std::filesystem::create_directory(documents + "/.Noterix.notes.Dir123");
    ASSERT_EQ(::utimensat(AT_FDCWD, (documents + "/.Noterix.notes.Dir123").c_str(), times, 0), 0);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    for (const Entry& e : entries) {
        EXPECT_EQ(TestFolder::FileExists(documents + "/" + e.name), !e.removed) << e.name;
    }
    EXPECT_TRUE(TestFolder::FileExists(documents + "/.Noterix.notes.Dir123"));
    EXPECT_EQ(TestFolder::ReadFile(NotesPath()), oneNote);
}

TEST_F(NotesKeeperTest, AFileChangedElsewhereIsKeptAsideBeforeOursIsSaved) {
    const std::string theirs = "!Noterix: 1.06\r\n[start:note]\r\n[start:contents]\r\n#Theirs\r\n"
                               "[end:contents]\r\n[end:note]\r\n";
    struct Case {
        const char* name;
        bool fileAtStart;
        std::function<void(const std::string&)> change;
    };
    const std::vector<Case> cases = {
        {"rewritten in place", true,
         [&](const std::string& path) { TestFolder::WriteFile(path, theirs); }},
        {"same size, later time", true,
         [&](const std::string& path) {
             std::string same = oneNote;
             same.replace(same.find("Mine"), 4, "Them");
             TestFolder::WriteFile(path, same);
             const timespec later[2] = {{::time(nullptr) + 60, 0}, {::time(nullptr) + 60, 0}};
             ::utimensat(AT_FDCWD, path.c_str(), later, 0);
         }},
        {"replaced by another file with the same size and time", true,
         [&](const std::string& path) {
             struct stat before {};
             ::stat(path.c_str(), &before);
             std::string same = oneNote;
             same.replace(same.find("Mine"), 4, "Them");
             TestFolder::WriteFile(path + ".sync", same);
             const timespec stamp[2] = {before.st_atim, before.st_mtim};
             ::utimensat(AT_FDCWD, (path + ".sync").c_str(), stamp, 0);
             std::filesystem::rename(path + ".sync", path);
         }},
        {"made where there was none", false,
         [&](const std::string& path) { TestFolder::WriteFile(path, theirs); }},
    };
    for (const Case& c : cases) {
        TestFolder fresh;
        ScopedHome freshHome(fresh.Path());
        const std::string folder = fresh.Join("Documents");
        std::filesystem::create_directories(folder);
        const std::string path = folder + "/Noterix.notes";
        NotFirstRun();
        if (c.fileAtStart) {
            TestFolder::WriteFile(path, oneNote);
        }
        ScriptedUser told;
        NotesKeeper keeper(told);
        ASSERT_TRUE(keeper.StartUp()) << c.name;
        keeper.CreateNote()->SetText(String("Ours"));
        c.change(path);
        const std::string changed = TestFolder::ReadFile(path);
        ASSERT_TRUE(keeper.SaveNow()) << c.name;
        const std::vector<std::string> aside = NamesStartingWith(folder, "Noterix.notes.changed-");
        ASSERT_EQ(aside.size(), 1u) << c.name;
        EXPECT_EQ(TestFolder::ReadFile(folder + "/" + aside[0]), changed) << c.name;
        ASSERT_EQ(told.alerts.size(), 1u) << c.name;
        EXPECT_EQ(told.alerts[0],
                  "Noterix|The notes file was changed by another program since Noterix last read "
                  "or saved it.  That version has been kept as \"" +
                      folder + "/" + aside[0] +
                      "\" so that nothing is lost, and your notes have been saved in its place.")
            << c.name;
        EXPECT_NE(TestFolder::ReadFile(path).find("#Ours"), std::string::npos) << c.name;
        // Our own save is what we saw last: the next one keeps nothing aside.
        keeper.CreateNote();
        ASSERT_TRUE(keeper.SaveNow()) << c.name;
        EXPECT_EQ(NamesStartingWith(folder, "Noterix.notes.changed-").size(), 1u) << c.name;
        EXPECT_EQ(told.alerts.size(), 1u) << c.name;
        keeper.Quit();
    }
}

TEST_F(NotesKeeperTest, AnOldNotesFilePutBackWhileRunningIsKeptAside) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    // The old name is in use again from now on; what it held was never read.
    const std::string backup = "!Pinnet\r\n[start:note]\r\n#From a backup\r\n[end:note]\r\n";
    TestFolder::WriteFile(documents + "/notes.pinnet", backup);
    keeper.CreateNote()->SetText(String("new"));
    ASSERT_TRUE(keeper.SaveNow());
    const std::vector<std::string> aside = NamesStartingWith(documents, "notes.pinnet.changed-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(TestFolder::ReadFile(documents + "/" + aside[0]), backup);
    EXPECT_EQ(user.alerts.size(), 1u);
    EXPECT_NE(TestFolder::ReadFile(documents + "/notes.pinnet").find("#new"), std::string::npos);
}

TEST_F(NotesKeeperTest, AFileRemovedElsewhereIsSimplyWrittenAgain) {
    NotFirstRun();
    TestFolder::WriteFile(NotesPath(), oneNote);
    NotesKeeper keeper(user);
    ASSERT_TRUE(keeper.StartUp());
    std::filesystem::remove(NotesPath());
    keeper.CreateNote();
    ASSERT_TRUE(keeper.SaveNow());
    EXPECT_TRUE(user.alerts.empty());
    EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#Mine"), std::string::npos);
    EXPECT_TRUE(NamesStartingWith(documents, "Noterix.notes.changed-").empty());
}
