#include "FaultyFileSystem.h"
#include "TestFolder.h"
#include "plat/DiskFile.h"
#include "plat/ErrorStack.h"
#include "plat/FileSpecImp.h"
#include "plat/MemoryFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

using plat::DiskFile;
using plat::ErrorStateStack;
using plat::File;
using plat::FileSpec;
using plat::MemoryFile;

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override { ErrorStateStack::Get().Clear(); }
    void TearDown() override { ErrorStateStack::Get().Clear(); }
    TestFolder folder;
};

std::vector<std::string> DiskLines(const std::string& path) {
    DiskFile file;
    EXPECT_TRUE(file.Open(FileSpec(path.c_str()), File::ReadMode));
    std::vector<std::string> lines;
    plat::String line;
    while (!file.IsEOF() && file.ReadLine(line)) {
        lines.emplace_back(line.c_str(), line.Length());
    }
    return lines;
}

std::vector<std::string> MemoryLines(const std::string& bytes) {
    MemoryFile file;
    EXPECT_TRUE(file.CreateAndOpen(bytes.data(), bytes.size(), File::ReadMode));
    std::vector<std::string> lines;
    plat::String line;
    while (!file.IsEOF() && file.ReadLine(line)) {
        lines.emplace_back(line.c_str(), line.Length());
    }
    return lines;
}

std::size_t EntriesIn(const std::string& folder) {
    std::size_t count = 0;
    for (auto it = std::filesystem::directory_iterator(folder);
         it != std::filesystem::directory_iterator(); ++it) {
        ++count;
    }
    return count;
}

} // namespace

TEST_F(FileTest, OpeningAMissingFileNamesThePathAndTheReason) {
    DiskFile file;
    const std::string path = folder.Join("missing.txt");
    EXPECT_FALSE(file.Open(FileSpec(path.c_str()), File::ReadMode));
    const plat::ErrorInfo& top = ErrorStateStack::Get().Top();
    EXPECT_EQ(top.code, 258u);
    EXPECT_EQ(std::string(top.message.c_str()),
              "The file '" + path + "' could not be opened (reason: No such file or directory).");
}

TEST_F(FileTest, OpenRefusesEmptyNamesAndDoubleOpens) {
    DiskFile file;
    EXPECT_FALSE(file.Open(FileSpec(""), File::ReadMode));
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "The application tried to open a file using an empty filename.");
    const std::string path = folder.Join("a.txt");
    ASSERT_TRUE(file.Open(FileSpec(path.c_str()), File::WriteMode));
    EXPECT_FALSE(file.Open(FileSpec(path.c_str()), File::WriteMode));
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 258u);
    EXPECT_FALSE(DiskFile().Open(FileSpec(path.c_str()), 0));
}

TEST_F(FileTest, WritingTruncatesAndCreatesPrivateFiles) {
    const std::string path = folder.Join("notes.txt");
    TestFolder::WriteFile(path, "old contents that are longer");
    {
        DiskFile file;
        ASSERT_TRUE(file.Open(FileSpec(path.c_str()), File::WriteMode));
        ASSERT_TRUE(file.WriteLine("one"));
        ASSERT_TRUE(file.WriteChar('#'));
        ASSERT_TRUE(file.WriteLine(plat::String("two")));
    }
    EXPECT_EQ(TestFolder::ReadFile(path), "one\r\n#two\r\n");
    const std::string fresh = folder.Join("fresh.txt");
    DiskFile file;
    ASSERT_TRUE(file.Open(FileSpec(fresh.c_str()), File::WriteMode));
    struct stat info {};
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(FileTest, ClosedFilesReportNotOpen) {
    DiskFile disk;
    char byte = 0;
    std::uint64_t size = 0;
    EXPECT_FALSE(disk.Read(&byte, 1, nullptr));
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 257u);
    EXPECT_FALSE(disk.Write(&byte, 1, nullptr));
    EXPECT_FALSE(disk.GetSize(&size));
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "File::GetSize called for non-open file");
    MemoryFile memory;
    ASSERT_TRUE(memory.Create("abc", 3));
    EXPECT_TRUE(memory.GetSize(&size)); // works while closed
    EXPECT_EQ(size, 3u);
    // Both ways of reading a closed memory file say what kind of file it is.
    plat::String line;
    for (const bool byLine : {false, true}) {
        ErrorStateStack::Get().Clear();
        EXPECT_FALSE(byLine ? memory.ReadLine(line) : memory.Read(&byte, 1, nullptr));
        EXPECT_EQ(ErrorStateStack::Get().Top().code, 257u);
        EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                     "An attempt was made to read from a memory-based file that has not been "
                     "opened.");
    }
}

TEST_F(FileTest, DiskLineReadingRules) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::string thousand(1000, 'x');
    // A CR LF pair that straddles the reader's 4096-byte chunks.
    const std::string straddle = std::string(4095, 'a') + "\r\nb";
    const std::vector<Case> cases = {
        {"crlf", "a\r\nb\r\n", {"a", "b", ""}},
        {"lf", "a\nb", {"a", "b"}},
        {"no final break", "last", {"last"}},
        {"long line", thousand + "\r\n", {thousand, ""}},
        {"break on a chunk boundary", straddle, {std::string(4095, 'a'), "b"}},
        {"lone cr stays in the line", "a\rb\n", {"a\rb", ""}},
    };
    for (const Case& c : cases) {
        const std::string path = folder.Join("lines.txt");
        TestFolder::WriteFile(path, c.bytes);
        EXPECT_EQ(DiskLines(path), c.lines) << c.name;
    }
}

TEST_F(FileTest, DiskReadLineAtTheEndReportsEndOfFile) {
    const std::string path = folder.Join("end.txt");
    TestFolder::WriteFile(path, "only");
    DiskFile file;
    ASSERT_TRUE(file.Open(FileSpec(path.c_str()), File::ReadMode));
    plat::String line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_STREQ(line.c_str(), "only");
    EXPECT_TRUE(file.IsEOF());
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 259u);
}

TEST_F(FileTest, MemoryLineReadingRules) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::string thousand(1000, 'y');
    const std::vector<Case> cases = {
        {"cr lf", "a\r\nb", {"a", "b"}},
        {"cr cr", "a\r\rb", {"a", "", "b"}},
        {"lf cr", "a\n\rb", {"a", "b"}},
        {"lone cr", "a\rb", {"a", "b"}},
        {"lf lf", "a\n\nb\n", {"a", "", "b"}},
        {"embedded nul", std::string("a\0b\nc", 5), {"a", "b", "c"}},
        {"long line", thousand, {thousand}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MemoryLines(c.bytes), c.lines) << c.name;
    }
}

TEST_F(FileTest, MemoryFilesAreReadOnlyAndClampPositions) {
    MemoryFile file;
    EXPECT_FALSE(file.Open(File::ReadMode));
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "MemoryFile::Open - You must call Create() before Open()");
    ASSERT_TRUE(file.Create("0123456789", 10));
    EXPECT_FALSE(file.Open(File::WriteMode));
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "MemoryFile::Open - Memory Files are read-only");
    ASSERT_TRUE(file.Open(File::ReadMode));
    EXPECT_FALSE(file.Write("x", 1, nullptr));
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 263u);
    std::uint64_t at = 0;
    ASSERT_TRUE(file.Seek(99));
    file.Tell(at);
    EXPECT_EQ(at, 10u);
    ASSERT_TRUE(file.SeekFromEnd(3));
    file.Tell(at);
    EXPECT_EQ(at, 7u);
    ASSERT_TRUE(file.SeekRelative(-100));
    file.Tell(at);
    EXPECT_EQ(at, 0u);
    char buffer[16] = {};
    std::size_t done = 0;
    EXPECT_FALSE(file.Read(buffer, sizeof buffer, &done));
    EXPECT_EQ(done, 10u);
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "MemoryFile::Read() encountered EOF.");
    EXPECT_FALSE(file.Read(buffer, 1, &done));
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "End of file reached in memory-based file.");
}

TEST_F(FileTest, DiskSizeAndPositions) {
    const std::string path = folder.Join("size.bin");
    TestFolder::WriteFile(path, "abcdef");
    DiskFile file;
    ASSERT_TRUE(file.Open(FileSpec(path.c_str()), File::ReadMode));
    ASSERT_TRUE(file.Seek(2));
    std::uint64_t size = 0, at = 0;
    ASSERT_TRUE(file.GetSize(&size));
    EXPECT_EQ(size, 6u);
    ASSERT_TRUE(file.Tell(at));
    EXPECT_EQ(at, 2u); // GetSize puts the position back
    char two[2];
    ASSERT_TRUE(file.Read(two, 2, nullptr));
    EXPECT_EQ(std::string(two, 2), "cd");
    EXPECT_FALSE(file.Read(two, 2, nullptr) && file.Read(two, 2, nullptr));
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 259u);
}

TEST_F(FileTest, ReplacementLandsWholeOrNotAtAll) {
    const std::string path = folder.Join("Noterix.notes");
    TestFolder::WriteFile(path, "original");
    {
        plat::ReplacingFile file;
        ASSERT_TRUE(file.Open(FileSpec(path.c_str())));
        ASSERT_TRUE(file.WriteLine("half written"));
        // Dropped without Commit: the original stays.
    }
    EXPECT_EQ(TestFolder::ReadFile(path), "original");
    {
        plat::ReplacingFile file;
        ASSERT_TRUE(file.Open(FileSpec(path.c_str())));
        ASSERT_TRUE(file.WriteLine("new"));
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(TestFolder::ReadFile(path), "new\r\n");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u); // no temporary left behind
}

TEST_F(FileTest, AReplacementKeepsTheModeOfTheFileItReplaces) {
    struct Case {
        const char* name;
        bool exists;
        mode_t before, after;
    };
    const Case cases[] = {
        {"shared with the group", true, 0640, 0640},
        {"readable by all", true, 0644, 0644},
        {"writable by the group", true, 0660, 0660},
        {"a new file is private", false, 0, 0600},
    };
    for (const Case& c : cases) {
        const std::string path = folder.Join(std::string(c.name) + ".notes");
        if (c.exists) {
            TestFolder::WriteFile(path, "old");
            ASSERT_EQ(::chmod(path.c_str(), c.before), 0);
        }
        plat::ReplacingFile file;
        ASSERT_TRUE(file.Open(FileSpec(path.c_str()))) << c.name;
        ASSERT_TRUE(file.WriteLine("new")) << c.name;
        ASSERT_TRUE(file.Commit()) << c.name;
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after) << c.name;
        EXPECT_EQ(TestFolder::ReadFile(path), "new\r\n") << c.name;
    }
}

TEST_F(FileTest, AFullDiskIsReportedAsDiskFullAndChangesNothing) {
    const std::string path = folder.Join("Noterix.notes");
    TestFolder::WriteFile(path, "original bytes\r\n");
    bool committed = true;
    {
        FaultyFileSystem faults;
        faults.fullDiskSaves = 1;
        plat::ReplacingFile file;
        ASSERT_TRUE(file.Open(FileSpec(path.c_str())));
        const std::string big(200000, 'z');
        const bool written = file.Write(big.data(), big.size(), nullptr);
        committed = written && file.Commit();
    }
    EXPECT_FALSE(committed);
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 266u);
    EXPECT_STREQ(ErrorStateStack::Get().Top().message.c_str(),
                 "The application was unable to write to a file because there is insufficient "
                 "space available.");
    EXPECT_EQ(TestFolder::ReadFile(path), "original bytes\r\n");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u); // no temporary left behind
}

TEST_F(FileTest, AFullDiskFoundOnlyAtTheFlushIsStillReported) {
    const std::string path = folder.Join("small.notes");
    TestFolder::WriteFile(path, "before");
    FaultyFileSystem faults;
    faults.fullDiskSaves = 1;
    plat::ReplacingFile file;
    ASSERT_TRUE(file.Open(FileSpec(path.c_str())));
    ASSERT_TRUE(file.WriteLine("fits in the buffer"));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(ErrorStateStack::Get().Top().code, 266u);
    EXPECT_EQ(TestFolder::ReadFile(path), "before");
}

TEST_F(FileTest, ReplacingALinkedFileUpdatesTheTargetAndKeepsTheLink) {
    std::filesystem::create_directories(folder.Join("synced"));
    const std::string target = folder.Join("synced/Noterix.notes");
    const std::string link = folder.Join("Noterix.notes");
    TestFolder::WriteFile(target, "old");
    std::filesystem::create_symlink(target, link);
    plat::ReplacingFile file;
    ASSERT_TRUE(file.Open(FileSpec(link.c_str())));
    ASSERT_TRUE(file.WriteLine("new"));
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TestFolder::ReadFile(target), "new\r\n");
    EXPECT_EQ(EntriesIn(folder.Join("synced")), 1u);
}
