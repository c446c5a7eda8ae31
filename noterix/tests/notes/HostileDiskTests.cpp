// Saves on a real full disk and in real read-only places. Each test runs
// again in a child process with a user and mount namespace of its own, where
// it may mount a small tmpfs over its documents folder or make a folder or
// file read-only (permission bits alone mean nothing to root, and CI runs as
// root).

#include "NotesHomeTest.h"
#include "ScriptedUser.h"
#include "TestFolder.h"
#include "notes/NotesKeeper.h"
#include "plat/ErrorStack.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using plat::String;

namespace {

constexpr const char* InsideVariable = "NOTERIX_TEST_PRIVATE_MOUNTS";
constexpr int CannotIsolate = 77;

bool InsidePrivateMounts() {
    return std::getenv(InsideVariable) != nullptr;
}

// In the child that runs a test again: says why it cannot, and ends.
[[noreturn]] void GiveUp(int report, const char* what) {
    const std::string text = std::string(what) + ": " + std::strerror(errno);
    [[maybe_unused]] const ssize_t put = ::write(report, text.data(), text.size());
    ::_exit(CannotIsolate);
}

bool WriteTo(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

struct Rerun {
    bool ran = false;
    std::string why; // when it did not
    int status = 0;
};

// Runs the current test again, in a child with mounts of its own: a new user
// namespace in which this user is root (or, for root without user
// namespaces, just a new mount namespace).
Rerun RerunInPrivateMounts() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    int report[2];
    if (::pipe(report) != 0) {
        return {false, std::string("no pipe: ") + std::strerror(errno), 0};
    }
    const std::string inside = std::string(InsideVariable) + "=1";
    std::vector<char*> env;
    for (char** e = environ; *e != nullptr; ++e) {
        env.push_back(*e);
    }
    env.push_back(const_cast<char*>(inside.c_str()));
    env.push_back(nullptr);
    const std::string uidMap = "0 " + std::to_string(::geteuid()) + " 1";
    const std::string gidMap = "0 " + std::to_string(::getegid()) + " 1";
    std::string self = "/proc/self/exe";
    char* argv[] = {self.data(), const_cast<char*>(filter.c_str()), nullptr};

    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        ::fcntl(report[1], F_SETFD, FD_CLOEXEC);
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) {
            // Root inside, so that the test keeps its powers across exec.
            if (!WriteTo("/proc/self/setgroups", "deny") ||
                !WriteTo("/proc/self/uid_map", uidMap) || !WriteTo("/proc/self/gid_map", gidMap)) {
                GiveUp(report[1], "cannot map this user into a user namespace");
            }
        } else if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0) {
            GiveUp(report[1], "cannot make a private user and mount namespace");
        }
        // Nothing mounted here may reach the rest of the system.
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            GiveUp(report[1], "cannot make the mounts private");
        }
        ::execve(argv[0], argv, env.data());
        GiveUp(report[1], "cannot run the test again");
    }
    ::close(report[1]);
    if (child < 0) {
        ::close(report[0]);
        return {false, std::string("cannot fork: ") + std::strerror(errno), 0};
    }
    std::string why;
    char buffer[256];
    for (ssize_t got; (got = ::read(report[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        if (got > 0) {
            why.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(report[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == CannotIsolate) {
        return {false, why.empty() ? "the private mounts could not be made" : why, status};
    }
    return {true, "", status};
}

// Runs the rest of the test body only inside the private mounts; outside
// them, runs it there and passes on its result (or skips, saying why).
#define RUN_IN_PRIVATE_MOUNTS()                                                                    \
    if (!InsidePrivateMounts()) {                                                                  \
        const Rerun rerun = RerunInPrivateMounts();                                                \
        if (!rerun.ran) {                                                                          \
            GTEST_SKIP() << "needs a private mount namespace: " << rerun.why;                      \
        }                                                                                          \
        EXPECT_TRUE(WIFEXITED(rerun.status) && WEXITSTATUS(rerun.status) == 0)                     \
            << "the test failed in its private mounts (status " << rerun.status                    \
            << "); its output is above";                                                           \
        return;                                                                                    \
    }

class HostileDiskTest : public NotesHomeTest {
protected:
    void TearDown() override {
        for (auto at = mounts_.rbegin(); at != mounts_.rend(); ++at) {
            ::umount2(at->c_str(), MNT_DETACH);
        }
        NotesHomeTest::TearDown();
    }

    // A tmpfs over the documents folder of this many bytes and at most this
    // many files and folders.
    void MountSmallDisk(std::size_t bytes, int files) {
        const std::string options =
            "size=" + std::to_string(bytes) + ",nr_inodes=" + std::to_string(files) + ",mode=0700";
        ASSERT_EQ(::mount("tmpfs", documents.c_str(), "tmpfs", 0, options.c_str()), 0)
            << std::strerror(errno);
        mounts_.push_back(documents);
    }

    // Fills the disk with one file, then gives back this many bytes of it.
    void FillDisk(std::size_t leave) {
        const std::string filler = documents + "/filler";
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        const std::vector<char> block(4096, 'x');
        off_t size = 0;
        for (ssize_t put; (put = ::write(fd, block.data(), block.size())) > 0;) {
            size += put;
        }
        EXPECT_EQ(errno, ENOSPC);
        ASSERT_EQ(::ftruncate(
                      fd, size > static_cast<off_t>(leave) ? size - static_cast<off_t>(leave) : 0),
                  0);
        ::close(fd);
    }

    // Uses up every free file slot with empty files.
    void UseEveryFileSlot() {
        for (int i = 0;; ++i) {
            const std::string path = documents + "/slot-" + std::to_string(i);
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0) {
                ASSERT_EQ(errno, ENOSPC);
                return;
            }
            ::close(fd);
        }
    }

    void FreeDisk() {
        for (const auto& entry : std::filesystem::directory_iterator(documents)) {
            const std::string name = entry.path().filename().string();
            if (name == "filler" || name.rfind("slot-", 0) == 0) {
                std::filesystem::remove(entry.path());
            }
        }
    }

    // Makes a folder or file read-only through a read-only bind mount over
    // itself, which holds for root too.
    void MakeReadOnly(const std::string& path) {
        ASSERT_EQ(::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr), 0)
            << std::strerror(errno);
        mounts_.push_back(path);
        ASSERT_EQ(
            ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    }

    void MakeWritable(const std::string& path) {
        ASSERT_EQ(::umount2(path.c_str(), 0), 0) << std::strerror(errno);
        mounts_.pop_back();
    }

    std::vector<std::string> NamesStartingWith(const std::string& prefix) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(documents)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) == 0) {
                names.push_back(name);
            }
        }
        return names;
    }

    // Notes that take a few pages of the file, over several writes.
    static void AddNotes(NotesKeeper& keeper, int count) {
        for (int i = 0; i < count; ++i) {
            const std::string text = "note " + std::to_string(i) + "\r\n" +
                                     std::string(700, static_cast<char>('a' + i % 26));
            keeper.CreateNote()->SetText(String(text.c_str()));
        }
    }

    // A keeper started on a small disk, its first note saved.
    void StartWithOneSavedNote(NotesKeeper& keeper, std::size_t bytes, int files) {
        MountSmallDisk(bytes, files);
        NotFirstRun();
        ASSERT_TRUE(keeper.StartUp());
        AddNotes(keeper, 1);
        ASSERT_TRUE(keeper.SaveNotes());
    }

    // The message of the error a failing save leaves on top.
    static std::string FailedSave(NotesKeeper& keeper) {
        auto& errors = plat::ErrorStateStack::Get();
        if (keeper.SaveNotes()) {
            return "(saved)";
        }
        const std::string text =
            std::to_string(errors.Top().code) + " " + errors.Top().message.c_str();
        errors.Clear();
        return text;
    }

private:
    std::vector<std::string> mounts_;
};

const std::string problem = "Noterix problem...";
const std::string saveFailed =
    problem + "|A problem occurred when saving the notes to disk.  Any changes you have made will "
              "be lost.";

TEST_F(HostileDiskTest, AFullDiskFailsTheSaveKeepsTheFileAndSavesOnceThereIsRoom) {
    RUN_IN_PRIVATE_MOUNTS();
    struct Case {
        const char* name;
        std::size_t room; // bytes left free
    };
    // No room at all, and room for the first few writes of the temporary.
    for (const Case c : {Case{"full", 0}, Case{"fills while writing", 8192}}) {
        ScriptedUser told;
        {
            NotesKeeper keeper(told);
            ASSERT_NO_FATAL_FAILURE(StartWithOneSavedNote(keeper, 256 * 1024, 64)) << c.name;
            const std::string old = TestFolder::ReadFile(NotesPath());
            AddNotes(keeper, 40); // some 30 KB
            FillDisk(c.room);

            EXPECT_FALSE(keeper.SaveNow()) << c.name;
            ASSERT_EQ(told.alerts.size(), 1u) << c.name;
            EXPECT_EQ(told.alerts[0], saveFailed) << c.name;
            EXPECT_EQ(FailedSave(keeper),
                      "266 The application was unable to write to a file because there is "
                      "insufficient space available.")
                << c.name;
            EXPECT_EQ(TestFolder::ReadFile(NotesPath()), old) << c.name;
            EXPECT_TRUE(NamesStartingWith(".Noterix.notes.").empty()) << c.name;
            EXPECT_TRUE(keeper.Store().IsModified()) << c.name;

            // At quit the user is asked to make room, does so, and says yes.
            told.answers = {true};
            told.whileDialogOpen = [&] { FreeDisk(); };
            keeper.Quit();
            ASSERT_EQ(told.questions.size(), 1u) << c.name;
            EXPECT_EQ(told.questions[0],
                      problem +
                          "|There is insufficient disk space to save the notes.  You are "
                          "advised to make some room on " +
                          documents +
                          " so that the notes can be saved.\n\nDo you want to try to save the "
                          "notes again?\n\nNB. If you answer no, then some or all of your notes "
                          "will be lost.")
                << c.name;
            EXPECT_FALSE(keeper.Store().IsModified()) << c.name;
        }
        ScriptedUser later;
        NotesKeeper reader(later);
        ASSERT_TRUE(reader.StartUp()) << c.name;
        EXPECT_EQ(reader.Store().Count(), 41u) << c.name;
        reader.Quit();
        TearDown();
        SetUp();
    }
}

TEST_F(HostileDiskTest, AFileChangedElsewhereOnAFullDiskLosesNeitherVersion) {
    RUN_IN_PRIVATE_MOUNTS();
    struct Case {
        const char* name;
        bool noFileSlots; // then the other version cannot even be linked aside
    };
    for (const Case c :
         {Case{"no room for data", false}, Case{"no room for a file either", true}}) {
        ScriptedUser told;
        NotesKeeper keeper(told);
        ASSERT_NO_FATAL_FAILURE(StartWithOneSavedNote(keeper, 128 * 1024, 32)) << c.name;
        const std::string theirs = "!Noterix: 1.06\r\n[start:note]\r\n[start:contents]\r\n"
                                   "#Theirs\r\n[end:contents]\r\n[end:note]\r\n";
        TestFolder::WriteFile(NotesPath(), theirs);
        AddNotes(keeper, 10);
        FillDisk(0);
        if (c.noFileSlots) {
            UseEveryFileSlot();
        }

        EXPECT_EQ(FailedSave(keeper).substr(0, 4), "266 ") << c.name;
        EXPECT_EQ(TestFolder::ReadFile(NotesPath()), theirs) << c.name;
        for (const std::string& copy : NamesStartingWith("Noterix.notes.changed-")) {
            EXPECT_EQ(TestFolder::ReadFile(documents + "/" + copy), theirs) << c.name;
        }
        EXPECT_TRUE(NamesStartingWith(".Noterix.notes.").empty()) << c.name;
        // Nothing has been saved in its place yet, so nothing is said of it.
        EXPECT_TRUE(told.alerts.empty()) << c.name;

        FreeDisk();
        ASSERT_TRUE(keeper.SaveNow()) << c.name;
        const std::vector<std::string> aside = NamesStartingWith("Noterix.notes.changed-");
        ASSERT_EQ(aside.size(), 1u) << c.name;
        EXPECT_EQ(TestFolder::ReadFile(documents + "/" + aside[0]), theirs) << c.name;
        ASSERT_EQ(told.alerts.size(), 1u) << c.name;
        EXPECT_NE(told.alerts[0].find(aside[0]), std::string::npos) << c.name;
        EXPECT_EQ(TestFolder::ReadFile(NotesPath()).find("#Theirs"), std::string::npos) << c.name;
        EXPECT_NE(TestFolder::ReadFile(NotesPath()).find("#note 9"), std::string::npos) << c.name;
        keeper.Quit();
        TearDown();
        SetUp();
    }
}

TEST_F(HostileDiskTest, AReadOnlyFolderOrFileIsReportedAndTheNotesSavedOnceWritable) {
    RUN_IN_PRIVATE_MOUNTS();
    struct Case {
        const char* name;
        bool file;          // the notes file, else its folder
        bool beforeStartUp; // read-only already when the program starts
        std::string message;
    };
    const std::string readOnly = "(reason: Read-only file system)";
    const std::vector<Case> cases = {
        {"folder", false, false,
         "258 The file '" + NotesPath() + "' could not be opened " + readOnly + "."},
        {"folder before start-up", false, true,
         "265 The notes could not be saved because Noterix could not lock its notes folder " +
             readOnly + "."},
        {"file", true, false,
         "258 The file '" + NotesPath() + "' could not be opened " + readOnly + "."},
    };
    for (const Case& c : cases) {
        MountSmallDisk(1024 * 1024, 64); // a fresh, empty folder for each case
        NotFirstRun();
        {
            ScriptedUser first;
            NotesKeeper keeper(first);
            ASSERT_TRUE(keeper.StartUp()) << c.name;
            AddNotes(keeper, 2);
            keeper.Quit();
        }
        const std::string old = TestFolder::ReadFile(NotesPath());
        const std::string place = c.file ? NotesPath() : documents;
        ScriptedUser told;
        {
            std::unique_ptr<NotesKeeper> keeper;
            if (c.beforeStartUp) {
                MakeReadOnly(place);
            }
            keeper = std::make_unique<NotesKeeper>(told);
            ASSERT_TRUE(keeper->StartUp()) << c.name;
            EXPECT_EQ(keeper->Store().Count(), 2u) << c.name;
            if (!c.beforeStartUp) {
                MakeReadOnly(place);
            }
            AddNotes(*keeper, 3);
            EXPECT_FALSE(keeper->SaveNow()) << c.name;
            ASSERT_EQ(told.alerts.size(), 1u) << c.name;
            EXPECT_EQ(told.alerts[0], saveFailed) << c.name;
            EXPECT_EQ(FailedSave(*keeper), c.message) << c.name;
            EXPECT_EQ(TestFolder::ReadFile(NotesPath()), old) << c.name;
            EXPECT_TRUE(keeper->Store().IsModified()) << c.name;

            told.answers = {true};
            told.whileDialogOpen = [&] { MakeWritable(place); };
            keeper->Quit();
            ASSERT_EQ(told.questions.size(), 1u) << c.name;
            EXPECT_NE(told.questions[0].find(c.message.substr(4)), std::string::npos)
                << c.name << ": " << told.questions[0];
            EXPECT_FALSE(keeper->Store().IsModified()) << c.name;
        }
        EXPECT_TRUE(NamesStartingWith(".Noterix.notes.").empty()) << c.name;
        ScriptedUser later;
        NotesKeeper reader(later);
        ASSERT_TRUE(reader.StartUp()) << c.name;
        EXPECT_EQ(reader.Store().Count(), 5u) << c.name;
        reader.Quit();
        TearDown();
        SetUp();
    }
}

} // namespace
