// A program killed at any moment of a save must leave a notes file that
// loads, with every note of its last finished save, and no lock behind.

#include "NotesHomeTest.h"
#include "ScriptedUser.h"
#include "TestFolder.h"
#include "notes/InstanceLock.h"
#include "notes/NotesKeeper.h"
#include "plat/DiskFile.h"
#include "plat/ErrorStack.h"
#include "plat/KeyFilePreferencesImp.h"
#include "plat/Preferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <poll.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using plat::String;

namespace {

// Each note says which one it is, over a few long lines, so that a file
// cut short or mixed from two saves shows, and a save of a few notes
// already takes several writes.
std::string TextOfNote(std::size_t index) {
    const std::string number = std::to_string(index);
    return "note " + number + "\r\n" + std::string(500, static_cast<char>('a' + index % 26)) +
           "\r\nlast line of " + number;
}

bool Report(int to, std::uint32_t count) {
    return ::write(to, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

// The child: starts as the program does, then (when it is to keep saving)
// adds a note and saves, again and again, telling the parent the note count
// of every save that finished. Otherwise it reports once and ends.
[[noreturn]] void RunChild(int report, bool keepSaving) {
    ScriptedUser user;
    NotesKeeper keeper(user);
    if (!keeper.StartUp()) {
        ::_exit(3);
    }
    if (!keepSaving) {
        ::_exit(Report(report, 0) ? 0 : 5);
    }
    for (;;) {
        const std::string text = TextOfNote(keeper.Store().Count());
        keeper.CreateNote()->SetText(String(text.c_str()));
        if (!keeper.SaveNotes()) {
            ::_exit(4);
        }
        if (!Report(report, static_cast<std::uint32_t>(keeper.Store().Count()))) {
            ::_exit(5);
        }
    }
}

// Waits for the next report; false when none came in time or the pipe closed.
bool NextReport(int from, std::uint32_t& count, int milliseconds) {
    pollfd ready{from, POLLIN, 0};
    if (::poll(&ready, 1, milliseconds) != 1) {
        return false;
    }
    return ::read(from, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

std::size_t TemporariesIn(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += entry.path().filename().string().rfind(".Noterix.notes.", 0) == 0 ? 1 : 0;
    }
    return count;
}

class NotesCrashTest : public NotesHomeTest {
protected:
    void SetUp() override {
        NotesHomeTest::SetUp();
        NotFirstRun(); // only the test's own notes
    }

    // The notes file as a fresh start reads it: it must parse, and hold the
    // notes 0, 1, ... in order, each with its own text. Returns the count.
    std::size_t CheckNotesFile() {
        NoteStore store;
        if (!TestFolder::FileExists(notesPath)) {
            return 0; // killed before the very first save
        }
        plat::DiskFile file;
        if (!file.Open(plat::FileSpec(String(notesPath.c_str())), plat::File::ReadMode)) {
            ADD_FAILURE() << "the notes file cannot be opened";
            return 0;
        }
        EXPECT_TRUE(store.Read(file)) << plat::ErrorStateStack::Get().Top().message.c_str();
        Note* note = nullptr;
        for (std::size_t i = 0; store.GetAt(i, note); ++i) {
            EXPECT_EQ(std::string(note->PeekText().c_str()), TextOfNote(i)) << "note " << i;
        }
        return store.Count();
    }

    pid_t StartChild(int& report, bool keepSaving) {
        int ends[2];
        if (::pipe(ends) != 0) {
            return -1;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ends[0]);
            RunChild(ends[1], keepSaving);
        }
        ::close(ends[1]);
        report = ends[0];
        return child;
    }

    std::string notesPath = NotesPath();
};

} // namespace

TEST_F(NotesCrashTest, KillsAtRandomMomentsOfSavingLoseNothing) {
    constexpr int kills = 200;
    // The store grows from nothing again every so many kills, which keeps
    // the files (and the time to read them) within bounds.
    constexpr int killsPerStore = 50;
    const auto seed = static_cast<std::uint32_t>(std::random_device{}());
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const auto began = std::chrono::steady_clock::now();

    std::size_t known = 0; // notes in the file after the last kill
    int landedUnreported = 0, killedBeforeAnySave = 0;
    std::size_t saves = 0, largestStore = 0;
    for (int run = 0; run < kills; ++run) {
        if (run % killsPerStore == 0) {
            std::filesystem::remove(notesPath);
            known = 0;
        }
        int report = -1;
        const pid_t child = StartChild(report, true);
        ASSERT_GT(child, 0);
        // Let it finish a random few saves (none at all: a kill during its
        // start), then kill it a random moment later.
        const auto savesFirst = static_cast<int>(random() % 3);
        std::size_t lastFinished = known;
        for (int i = 0; i < savesFirst; ++i) {
            std::uint32_t count = 0;
            if (!NextReport(report, count, 30000)) {
                break; // checked below: the child must die by our signal
            }
            lastFinished = count;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child ended by itself with " << WEXITSTATUS(status) << " in run " << run;
        // Reports written before the kill are still in the pipe.
        std::uint32_t count = 0;
        while (NextReport(report, count, 0)) {
            lastFinished = count;
        }
        ::close(report);
        const std::size_t reported = lastFinished - known;
        saves += reported;
        killedBeforeAnySave += reported == 0 ? 1 : 0;

        const std::size_t found = CheckNotesFile();
        // Every note of the last finished save is there; the save under way
        // at the kill may have landed too, but never half of it.
        ASSERT_TRUE(found == lastFinished || found == lastFinished + 1)
            << "run " << run << ": " << found << " notes after a save of " << lastFinished;
        landedUnreported += found == lastFinished + 1 ? 1 : 0;
        saves += found - lastFinished;
        known = found;
        largestStore = std::max(largestStore, found);

        InstanceLock next;
        ASSERT_EQ(next.Acquire(String((documents + "/Noterix.notes.lock").c_str())),
                  InstanceLock::Result::Acquired)
            << "run " << run;
        next.Release();
        if (HasFatalFailure() || HasFailure()) {
            return;
        }
    }
    // What the kills left half written goes at a later start.
    std::size_t left = TemporariesIn(documents);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (left != 0 && std::chrono::steady_clock::now() < deadline) {
        int report = -1;
        const pid_t child = StartChild(report, false);
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(report);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        left = TemporariesIn(documents);
    }
    EXPECT_EQ(left, 0u);

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::cout << kills << " kills, " << saves << " saves finished, stores of up to " << largestStore
              << " notes, " << killedBeforeAnySave << " kills before the first save of "
              << "a start, " << landedUnreported << " kills just after a save landed, " << seconds
              << " s\n";
}
