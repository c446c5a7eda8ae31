#include "StringFile.h"
#include "TestFolder.h"
#include "notes/GuidText.h"
#include "notes/NoteStore.h"
#include "notes/Resources.h"
#include "plat/DiskFile.h"
#include "plat/ErrorStack.h"
#include "plat/MemoryFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using plat::String;

namespace {

class NotesFormatTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallNoterixResources();
        plat::ErrorStateStack::Get().Clear();
    }
    void TearDown() override { plat::ErrorStateStack::Get().Clear(); }

    // Reads the bytes the way the program reads the notes file, from disk.
    bool ReadDisk(NoteStore& store, const std::string& bytes) {
        const std::string path = folder.Join("Noterix.notes");
        TestFolder::WriteFile(path, bytes);
        plat::DiskFile file;
        EXPECT_TRUE(file.Open(plat::FileSpec(String(path.c_str())), plat::File::ReadMode));
        return store.Read(file);
    }

    static Note& At(NoteStore& store, std::size_t index) {
        Note* note = nullptr;
        EXPECT_TRUE(store.GetAt(index, note));
        return *note;
    }

    ScopedTimeZone zone{"UTC0"};
    TestFolder folder;
};

std::string Record(const std::string& body) {
    return "[start:note]\r\n" + body + "[end:note]\r\n";
}

const std::string header = "!Noterix: 1.06\r\n";

} // namespace

TEST_F(NotesFormatTest, HeadersAndVersions) {
    struct Case {
        const char* file;
        bool ok;
        std::uint32_t major, minor;
    };
    const Case cases[] = {
        {"!Noterix: 1.06\r\n", true, 1, 6},
        {"!Noterix: 1.06", true, 1, 6}, // only the header, no line end
        {"!pinnet\r\n", true, 1, 0},
        {"!Noterix\r\n", true, 1, 0},
        {"!Noterix:   2.5 beta\r\n", true, 2, 5},
        {"!Noterix: x.06\r\n", true, 1, 0},
        {"\xEF\xBB\xBF!Noterix: 1.06\r\n", true, 1, 6}, // an editor's byte-order mark
        {"\xEF\xBB\xBF\xEF\xBB\xBF!Noterix: 1.06\r\n", false, 99, 99},
        {"\xEF\xBB!Noterix: 1.06\r\n", false, 99, 99},
        {"Some other file\r\n", false, 99, 99},
    };
    for (const Case& c : cases) {
        NoteStore store;
        plat::ErrorStateStack::Get().Clear();
        EXPECT_EQ(ReadDisk(store, c.file), c.ok) << c.file;
        EXPECT_EQ(store.FileVersionMajor(), c.major) << c.file;
        EXPECT_EQ(store.FileVersionMinor(), c.minor) << c.file;
        EXPECT_EQ(store.Count(), 0u);
        if (!c.ok) {
            const plat::ErrorInfo& top = plat::ErrorStateStack::Get().Top();
            EXPECT_EQ(top.code, 1u);
            EXPECT_EQ(top.severity, 2u);
            EXPECT_STREQ(top.message.c_str(),
                         "The file containing the Noterix notes is of the wrong format (Header not "
                         "recognised), and some of the notes may not have loaded correctly.");
        }
    }
}

TEST_F(NotesFormatTest, KeysOfARecord) {
    NoteStore store;
    ASSERT_TRUE(
        ReadDisk(store, header + Record("TIME-CREATED: 2002/09/15 22:17\r\n"
                                        "time-modified:2004/02/29 01:32\r\n"
                                        "time-accessed: 2003/02/29 01:33\r\n"
                                        "time-born: 2002/01/01 00:00\r\n"
                                        "Position: - 72 +59\r\n"
                                        "size: 296 216\r\n"
                                        "colour: #ff0000\r\n"
                                        "visible: YES\r\n"
                                        "folded: yes \r\n"
                                        "guid: 9be2255defab639a41216265bd5b2834\r\n"
                                        "content-length: 99999999\r\n"
                                        "unknown: key\r\n"
                                        "[start:contents]\r\n#Hello\r\n[end:contents]\r\n")));
    ASSERT_EQ(store.Count(), 1u);
    Note& note = At(store, 0);
    EXPECT_EQ(note.Created().Seconds(), 1032128220);
    EXPECT_STREQ(note.Modified().Format("%Y/%m/%d %H:%M").c_str(), "2004/02/29 01:32");
    EXPECT_EQ(note.Accessed().Seconds(), 0); // 2003 has no 29 February
    EXPECT_EQ(note.X(), -72);
    EXPECT_EQ(note.Y(), 59);
    EXPECT_TRUE(note.IsPlaced());
    EXPECT_EQ(note.Width(), 296);
    EXPECT_EQ(note.Height(), 216);
    EXPECT_EQ(note.GetColour(), (plat::Colour{255, 204, 204}));
    EXPECT_TRUE(note.IsVisible());
    EXPECT_FALSE(note.IsFolded()); // "yes " with a trailing blank is not yes
    EXPECT_STREQ(GuidToText(note.PeekGuid()).c_str(), "9be2255defab639a41216265bd5b2834");
    EXPECT_STREQ(note.PeekText().c_str(), "Hello");
    EXPECT_STREQ(note.Title().c_str(), "Hello");
    EXPECT_FALSE(note.IsDirty());
}

TEST_F(NotesFormatTest, MalformedKeysLeaveFieldsAlone) {
    NoteStore store;
    ASSERT_TRUE(ReadDisk(store, header + Record("position: 10\r\n"
                                                "size: x 5\r\n"
                                                "colour: FF0000\r\n"
                                                "colour: #12345\r\n"
                                                "visible yes\r\n"
                                                "guid: 1234\r\n"
                                                "guid: 00000000000000000000000000000000\r\n"
                                                "time-created: 2002/13/01 10:00\r\n"
                                                "time-created: 2002/12/01 24:00\r\n"
                                                "time-created: 2100/01/01 00:00\r\n"
                                                "time-created: 99999999999/01/01 00:00\r\n"
                                                "content-length: lots\r\n")));
    ASSERT_EQ(store.Count(), 1u);
    Note& note = At(store, 0);
    EXPECT_FALSE(note.IsPlaced());
    EXPECT_EQ(note.Width(), 160);
    EXPECT_EQ(note.GetColour(), (plat::Colour{255, 255, 204}));
    EXPECT_FALSE(note.IsVisible());
    EXPECT_FALSE(note.PeekGuid().IsSet());
    EXPECT_NE(note.Created().Seconds(), 0); // still the creation default: now
}

TEST_F(NotesFormatTest, NumbersThatOverflowSaturate) {
    NoteStore store;
    ASSERT_TRUE(ReadDisk(store, header + Record("position: 99999999999 -99999999999\r\n"
                                                "size: 4294967296 2147483648\r\n")));
    Note& note = At(store, 0);
    EXPECT_EQ(note.X(), 2147483647);
    EXPECT_EQ(note.Y(), -2147483647 - 1);
    EXPECT_EQ(note.Width(), 2147483647);
    EXPECT_EQ(note.Height(), 2147483647);
}

TEST_F(NotesFormatTest, RecordBoundaries) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        {"only the header", header, {}},
        {"keys before any record are ignored",
         header + "visible: yes\r\n#stray\r\n" + Record("#kept\r\n"),
         {"kept"}},
        {"a file that ends inside a note keeps it",
         header + "[start:note]\r\n#half\r\n#way",
         {"half\r\nway"}},
        {"a missing end marker keeps the unfinished note",
         header + "[start:note]\r\n#first\r\n" + Record("#second\r\n"),
         {"first", "second"}},
        {"an end marker without a note is ignored", header + "[end:note]\r\n" + Record(""), {""}},
        {"[end:note] inside the text does not end the record",
         header + Record("[start:contents]\r\n#[end:note]\r\n#after\r\n[end:contents]\r\n"),
         {"[end:note]\r\nafter"}},
        {"leading empty lines are kept",
         header + Record("#\r\n#\r\n#text\r\n#\r\n"),
         {"\r\n\r\ntext\r\n"}},
        {"a note of only line breaks", header + Record("#\r\n#\r\n"), {"\r\n"}},
        {"a byte-order mark before the header",
         "\xEF\xBB\xBF" + header + Record("#kept\r\n"),
         {"kept"}},
        {"markers ignore letter case",
         header + "[START:Note]\r\n#x\r\n[End:Note]\r\n#y\r\n",
         {"x"}},
        {"LF line ends", "!Noterix: 1.06\n[start:note]\n#a\n#b\n[end:note]\n", {"a\r\nb"}},
    };
    for (const Case& c : cases) {
        NoteStore store;
        EXPECT_TRUE(ReadDisk(store, c.file)) << c.name;
        ASSERT_EQ(store.Count(), c.texts.size()) << c.name;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(std::string(At(store, i).PeekText().c_str()), c.texts[i]) << c.name;
        }
    }
}

TEST_F(NotesFormatTest, WriterGoldenBytes) {
    NoteStore store;
    auto* note = new Note;
    note->SetCreated(plat::Time(1032128220));
    note->SetModified(plat::Time(1032139920));
    note->SetAccessed(plat::Time(1032139980));
    note->SetPosition(72, -59);
    note->SetSize(296, 216);
    note->SetColour(plat::Colour::Orange);
    note->SetVisible(true);
    note->SetGuid(GuidFromText(String("9be2255defab639a41216265bd5b2834")));
    note->LoadText(String("a\r\nb\r\n"));
    store.Add(note);
    auto* empty = new Note;
    empty->SetCreated(plat::Time(0));
    empty->SetGuid(GuidFromText(String("00000000000000000000000000000001")));
    store.Add(empty);
    StringFile file;
    ASSERT_TRUE(store.WriteAll(file));
    const std::string expected = "!Noterix: 1.06\r\n"
                                 "[start:note]\r\n"
                                 "time-created: 2002/09/15 22:17\r\n"
                                 "time-modified: 2002/09/16 01:32\r\n"
                                 "time-accessed: 2002/09/16 01:33\r\n"
                                 "position: 72 -59\r\n"
                                 "size: 296 216\r\n"
                                 "colour: #FFE5CC\r\n"
                                 "visible: yes\r\n"
                                 "folded: no\r\n"
                                 "guid: 9be2255defab639a41216265bd5b2834\r\n"
                                 "content-length: 6\r\n"
                                 "[start:contents]\r\n"
                                 "#a\r\n"
                                 "#b\r\n"
                                 "#\r\n"
                                 "[end:contents]\r\n"
                                 "[end:note]\r\n"
                                 "[start:note]\r\n"
                                 "time-created: 1970/01/01 00:00\r\n"
                                 "time-modified: 1970/01/01 00:00\r\n"
                                 "time-accessed: 1970/01/01 00:00\r\n"
                                 "position: 0 0\r\n"
                                 "size: 160 100\r\n"
                                 "colour: #FFFFCC\r\n"
                                 "visible: no\r\n"
                                 "folded: no\r\n"
                                 "guid: 00000000000000000000000000000001\r\n"
                                 "content-length: 0\r\n"
                                 "[start:contents]\r\n"
                                 "[end:contents]\r\n"
                                 "[end:note]\r\n";
    EXPECT_EQ(file.bytes, expected);
    EXPECT_FALSE(store.IsModified());
    // Writing fetched the text: the access time moved on for the next save.
    EXPECT_GT(note->Accessed().Seconds(), 1032139980);
}

TEST_F(NotesFormatTest, WriterSplitsEveryKindOfLineBreak) {
    struct Case {
        const char* text;
        const char* lines;
    };
    const Case cases[] = {
        {"a\r\nb", "#a\r\n#b\r\n"},      {"a\nb", "#a\r\n#b\r\n"}, {"a\rb", "#a\r\n#b\r\n"},
        {"a\n\rb", "#a\r\n#\r\n#b\r\n"}, // LF CR is two breaks
        {"a\r\n", "#a\r\n#\r\n"},        {"\r\n", "#\r\n#\r\n"},   {"#x", "##x\r\n"},
    };
    for (const Case& c : cases) {
        Note note;
        note.LoadText(String(c.text));
        StringFile file;
        ASSERT_TRUE(NoteStore::WriteNote(file, note));
        const std::size_t start = file.bytes.find("[start:contents]\r\n") + 18;
        const std::size_t end = file.bytes.find("[end:contents]");
        EXPECT_EQ(file.bytes.substr(start, end - start), c.lines) << c.text;
    }
}

TEST_F(NotesFormatTest, AFailedWriteLeavesEverythingUnsaved) {
    for (std::size_t limit : {0u, 20u, 200u, 400u}) {
        NoteStore store;
        store.Add(new Note);
        store.Add(new Note);
        StringFile file;
        file.failAfter = limit;
        EXPECT_FALSE(store.WriteAll(file)) << limit;
        EXPECT_TRUE(store.IsModified()) << limit;
        EXPECT_EQ(plat::ErrorStateStack::Get().Top().code, 266u);
    }
}

TEST_F(NotesFormatTest, GeneratedTextsRoundTrip) {
    // Texts built from pieces that stress the line rules, empty lines at the
    // very start and texts of nothing but line breaks among them; every kind
    // of line break comes back as CR LF.
    const char* pieces[] = {"a",
                            "#",
                            "[end:note]",
                            "[start:note]",
                            "\r\n",
                            "\n",
                            "\r",
                            " ",
                            "time-created: 2001/01/01 00:00",
                            "\xC3\xA9",
                            "\n\r"};
    std::mt19937 random(20261209);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 13);
        for (int i = 0; i < count; ++i) {
            text += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        }
        std::string expected;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                expected += "\r\n";
                ++i;
            } else if (text[i] == '\r' || text[i] == '\n') {
                expected += "\r\n";
            } else {
                expected += text[i];
            }
        }
        NoteStore store;
        auto* note = new Note;
        note->SetText(String(text.c_str()));
        store.Add(note);
        StringFile file;
        ASSERT_TRUE(store.WriteAll(file));
        NoteStore again;
        plat::MemoryFile memory;
        ASSERT_TRUE(
            memory.CreateAndOpen(file.bytes.data(), file.bytes.size(), plat::File::ReadMode));
        ASSERT_TRUE(again.Read(memory));
        ASSERT_EQ(again.Count(), 1u);
        EXPECT_EQ(std::string(At(again, 0).PeekText().c_str()), expected) << round;
        EXPECT_EQ(At(again, 0).PeekGuid(), note->PeekGuid());
        // And from disk, the way the program reads it.
        NoteStore fromDisk;
        ASSERT_TRUE(ReadDisk(fromDisk, file.bytes));
        EXPECT_EQ(std::string(At(fromDisk, 0).PeekText().c_str()), expected) << round;
    }
}

TEST_F(NotesFormatTest, AVeryLongLineAndAVeryLargeNoteReadWhole) {
    const std::string line(3 * 1024 * 1024, 'q');
    std::string many;
    for (int i = 0; i < 20000; ++i) {
        many += "#line " + std::to_string(i) + "\r\n";
    }
    NoteStore store;
    ASSERT_TRUE(
        ReadDisk(store, header + Record("content-length: 5\r\n#" + line + "\r\n") + Record(many)));
    ASSERT_EQ(store.Count(), 2u);
    EXPECT_EQ(At(store, 0).PeekText().Length(), line.size());
    EXPECT_EQ(At(store, 1).PeekText().Length(), many.size() - 20000 - 2);
}

TEST_F(NotesFormatTest, RepeatedLengthHintsInsideTheTextChangeNothing) {
    std::string body = "content-length: 99999999\r\n";
    for (int i = 0; i < 2000; ++i) {
        body += "#line\r\ncontent-length: 1048575\r\n";
    }
    NoteStore store;
    ASSERT_TRUE(ReadDisk(store, header + Record(body)));
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(At(store, 0).PeekText().Length(), 2000u * 6 - 2);
}
